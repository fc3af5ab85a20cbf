#pragma once

#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"

namespace game {

// A ranked table of player scores, best first, kept in a small binary ".sc" file: the row count, then
// per row the name, the score and the time in seconds since 1970, each as a 32-bit little-endian word
// (the name as its length and its bytes).
class Scores {
public:
    class Entry {
    public:
        // A time of 0 stands for now.
        Entry(const std::string& name, unsigned int score, int time);

        std::string name;
        unsigned int score;
        int time;
    };

    Scores();

    // Puts the entry before the first row that scores less; equal scores keep the older row first. At the
    // end it goes only while the table holds fewer than 10 rows, so an insertion can grow a full table past
    // 10 while a low score is turned away. A score of 0 never goes in. Whether it went in.
    bool Add(const core::ptr<Entry>& entry);
    // The row at the index; past the end a new empty entry (name "", score 0, now) that is not stored.
    core::ptr<Entry> Get(unsigned int index) const;
    unsigned int GetCount() const { return static_cast<unsigned int>(entries.size()); }
    // Where the latest Add put its entry; -1 when it put none.
    int GetLast() const { return last; }

    // Replaces the rows by the file's, each through Add. A missing file leaves the table as it was; a
    // damaged one gives the rows that are whole before the damage.
    void Load(const std::string& path);
    // Every row in order, through a temporary file and a rename, so the old table survives a failed write.
    void Save(const std::string& path) const;
    // "Player\tScore", then one line per row: "*" on the latest added, the name, a tab and the score.
    void print(std::ostream& out = std::cout) const;

private:
    std::vector<core::ptr<Entry>> entries;
    unsigned int max_entries;
    int last;
};

// Named score tables kept in memory for the rest of the process.
class ScoresHolder {
public:
    static ScoresHolder* instance();

    // The table of that name, made empty when new; unless no_load is set, then loaded from the file of
    // the name followed by ".sc", which replaces the rows held when that file exists.
    core::ptr<Scores> get_table(const std::string& name, bool no_load = false);
    // Loads the named table, adds the entry and prints the table; whether the entry went in. The table is
    // not saved.
    bool add(const std::string& name, const core::ptr<Scores::Entry>& entry);

private:
    ScoresHolder() = default;

    std::map<std::string, core::ptr<Scores>> tables;
};

}  // namespace game
