#pragma once

#include <list>
#include <string>

#include "vantle/core/functor_factory.h"
#include "vantle/core/observer.h"
#include "vantle/core/options.h"
#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"

namespace io {
class Reader;
class Writer;
}  // namespace io

namespace game {

// One player: a name and the options kept for that player (money, power-ups, progress and whatever the
// screens' scripts store). Option values read back from the players file are text.
class User : public core::Options {
public:
    explicit User(const std::string& name);

    // The name, then the options in their binary form.
    void Save(io::Writer& writer) const;
    // Replaces the name and all options by the record read. False when the record ran past the end of
    // the stream: what was read is then not whole.
    bool Load(io::Reader& reader);

    // Compared byte for byte: case matters.
    std::string name;
};

// The players, the selected one among them, and the players file that keeps them. A generation counter,
// stored first in the file and raised by every change, tells whether memory or the file is newer; the
// newer side is copied over the older one and observers are told whenever the two differed.
//
// The game uses the one instance (core::Singleton); separate instances over a file serve tools and
// tests. Every change rewrites the whole file at once, through a temporary file and a rename.
class Users : public core::Observable, public core::Singleton<Users> {
public:
    // The players file; set before the instance is first used, because the constructor reads it.
    static void SetFilename(const std::string& path);

    // Empty, generation 0; then reads the file when it is newer ("users.dat" when no name was set).
    Users();
    // Saves a change not yet on disk.
    ~Users();
    Users(const Users&) = delete;
    Users& operator=(const Users&) = delete;

    // Empty when none is selected.
    core::ptr<User> GetSelectedUser() const;
    // The player of exactly that name, or empty.
    core::ptr<User> GetUser(const std::string& name) const;
    // In list order: the order of adding or of the file.
    std::list<std::string> GetNames() const;

    // Selects the player of that name; an unknown name keeps the selection. Counted as a change and
    // saved, unless the name is the selected player's already.
    void Select(const std::string& name);
    // Appends and selects the player; nothing when the name is taken. Two changes, two saves.
    void Add(const core::ptr<User>& user);
    // Removes the player of that name; removing the selected one selects the first left, or none.
    // Counted as a change also when no player has the name.
    void Remove(const std::string& name);
    // Counts a change made from outside, such as a player's option set; saves at once.
    void Update();
    // Notifies when memory and file differ, then saves the newer memory or loads the newer file.
    void Sync();

    // "add_user", "del_user" and "sel_user": each takes the player name from the context value "$".
    static void RegisterFunctors();

private:
    void Load();
    void Save();
    unsigned int GetGenerationOnDisk() const;
    // Raises the generation; one at its limit starts again low and forces the next save.
    void Raise();
    // Reads every whole player of the file into the list, leaving out names already taken. False when
    // a player was cut off or left out.
    bool ReadPlayers(io::Reader& reader, unsigned int count);
    // The selected name that ends the file; the first player's when the file ends before it.
    std::string ReadSelectedName(io::Reader& reader) const;
    // Whether the file ended exactly after its last field.
    bool EndsWhole(const io::Reader& reader) const;
    // Before the first save over a file that did not read back whole: keeps its bytes beside it, as the
    // file name followed by ".damaged" (replacing an older one). False when they could not be kept.
    bool KeepDamagedFile();

    static std::string filename;

    unsigned int generation = 0;
    std::list<core::ptr<User>> users;
    core::ptr<User> selected;
    // Set when the generation started again below the file's: memory is newer whatever the numbers say.
    bool _restarted = false;
    // The last file read, when it did not read back whole and has not yet been kept.
    bool _keep_damaged = false;
    std::string _damaged_bytes;
};

class AddUserFunctor : public core::Functor {
public:
    void operator()() override;
};

class DeleteUserFunctor : public core::Functor {
public:
    void operator()() override;
};

class SelectUserFunctor : public core::Functor {
public:
    void operator()() override;
};

// Creators for core::FunctorFactory; the argument is not used.
core::Functor* _CreateAddUserFunctor(const std::string& argument);
core::Functor* _CreateDeleteUserFunctor(const std::string& argument);
core::Functor* _CreateSelectUserFunctor(const std::string& argument);

}  // namespace game
