#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/record_bytes.h"
#include "support/temp_dir.h"
#include "vantle/game/scores.h"

namespace {

using test::LengthPrefixed;
using test::Word;

core::ptr<game::Scores::Entry> Row(const std::string& name, unsigned int score, int time = 1000) {
    return core::ptr<game::Scores::Entry>(new game::Scores::Entry(name, score, time));
}

std::string FileRow(const std::string& name, unsigned int score, unsigned int time = 1000) {
    return LengthPrefixed(name) + Word(score) + Word(time);
}

std::vector<unsigned int> ScoresOf(const game::Scores& table) {
    std::vector<unsigned int> scores;
    for (unsigned int i = 0; i < table.GetCount(); ++i) scores.push_back(table.Get(i)->score);
    return scores;
}

std::vector<std::string> NamesOf(const game::Scores& table) {
    std::vector<std::string> names;
    for (unsigned int i = 0; i < table.GetCount(); ++i) names.push_back(table.Get(i)->name);
    return names;
}

bool IsNow(int time, std::time_t before) {
    return time >= before && time <= std::time(nullptr);
}

struct Insertion {
    const char* name;
    std::vector<unsigned int> before;
    unsigned int added;
    bool went_in;
    int last;
    std::vector<unsigned int> after;
};

TEST(Scores, AddPutsAnEntryBeforeTheFirstLowerScore) {
    const std::vector<unsigned int> ten = {100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
    const std::vector<Insertion> cases = {
        {"a score of 0", {100}, 0, false, -1, {100}},
        {"into an empty table", {}, 50, true, 0, {50}},
        {"after equal scores", {100, 80, 80}, 80, true, 3, {100, 80, 80, 80}},
        {"at the top", {100, 80}, 101, true, 0, {101, 100, 80}},
        {"at the end of a short table", {100, 80}, 5, true, 2, {100, 80, 5}},
        {"below a full table", ten, 5, false, -1, ten},
        {"equal to the lowest of a full table", ten, 10, false, -1, ten},
        {"above the lowest of a full table", ten, 15, true, 9, {100, 90, 80, 70, 60, 50, 40, 30, 20, 15, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        game::Scores table;
        for (unsigned int score : c.before) table.Add(Row("old", score));
        EXPECT_EQ(table.Add(Row("new", c.added)), c.went_in);
        EXPECT_EQ(table.GetLast(), c.last);
        EXPECT_EQ(ScoresOf(table), c.after);
        if (c.last >= 0) {
            EXPECT_EQ(table.Get(c.last)->name, "new");
        }
    }
}

TEST(Scores, GetPastTheEndGivesAnEmptyEntryOfNowThatIsNotStored) {
    const std::time_t before = std::time(nullptr);
    game::Scores table;
    table.Add(Row("a", 3));
    const core::ptr<game::Scores::Entry> empty = table.Get(10);
    EXPECT_EQ(empty->name, "");
    EXPECT_EQ(empty->score, 0u);
    EXPECT_TRUE(IsNow(empty->time, before));
    EXPECT_EQ(table.GetCount(), 1u);
    EXPECT_EQ(table.Get(0)->time, 1000);
}

class ScoresFileTest : public testing::Test {
protected:
    std::string Path() const { return dir / "table.sc"; }
    test::TempDir dir;
};

TEST_F(ScoresFileTest, LoadingKeepsTenRowsBestFirstAndAllRowsWorstFirst) {
    std::string best_first = Word(12), worst_first = Word(12);
    for (unsigned int i = 0; i < 12; ++i) {
        best_first += FileRow("p" + std::to_string(i), 120 - 10 * i);
        worst_first += FileRow("p" + std::to_string(i), 10 + 10 * i);
    }
    dir.Write("table.sc", best_first);
    game::Scores table;
    table.Load(Path());
    EXPECT_EQ(ScoresOf(table), (std::vector<unsigned int>{120, 110, 100, 90, 80, 70, 60, 50, 40, 30}));
    EXPECT_EQ(table.GetLast(), -1);

    dir.Write("table.sc", worst_first);
    table.Load(Path());
    EXPECT_EQ(table.GetCount(), 12u);
    EXPECT_EQ(table.Get(0)->name, "p11");
    EXPECT_EQ(table.Get(11)->name, "p0");
    EXPECT_EQ(table.GetLast(), -1);
}

TEST_F(ScoresFileTest, LoadDropsScoresOfZeroGivesTimeZeroTheCurrentTimeAndNeedsAFile) {
    const std::time_t before = std::time(nullptr);
    dir.Write("table.sc",
              Word(3) + FileRow("none", 0) + FileRow("then", 5, 0) + FileRow("old", 5, 0xFFFFFFFFu));
    game::Scores table;
    table.Load(Path());
    EXPECT_EQ(NamesOf(table), (std::vector<std::string>{"then", "old"}));
    EXPECT_TRUE(IsNow(table.Get(0)->time, before));
    EXPECT_EQ(table.Get(1)->time, -1) << "the word is the time as a signed number";

    table.Load(dir / "missing.sc");
    EXPECT_EQ(NamesOf(table), (std::vector<std::string>{"then", "old"})) << "a missing file changes nothing";
}

TEST_F(ScoresFileTest, SaveWritesEveryRowInTableOrder) {
    game::Scores table;
    for (unsigned int score : {30u, 90u, 60u}) table.Add(Row("s" + std::to_string(score), score, 77));
    for (unsigned int i = 0; i < 10; ++i) table.Add(Row("top", 100));
    table.Save(Path());
    std::string expected = Word(13);
    for (unsigned int i = 0; i < 10; ++i) expected += FileRow("top", 100);
    expected += FileRow("s90", 90, 77) + FileRow("s60", 60, 77) + FileRow("s30", 30, 77);
    EXPECT_EQ(dir.Read("table.sc"), expected);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp"));
}

TEST_F(ScoresFileTest, AFailedSaveKeepsTheOldTable) {
    dir.Write("table.sc", Word(1) + FileRow("old", 1));
    dir.Write("table.sc.tmp/blocker", "");
    test::CaptureLog log;
    game::Scores table;
    table.Add(Row("new", 2));
    table.Save(Path());
    EXPECT_EQ(dir.Read("table.sc"), Word(1) + FileRow("old", 1));
    EXPECT_TRUE(log.Contains("Can't save score table"));
}

struct DamagedTable {
    const char* name;
    std::string bytes;
    std::vector<std::string> names;
};

TEST_F(ScoresFileTest, DamagedFilesGiveTheWholeRowsBeforeTheDamage) {
    const std::string two = FileRow("a", 20) + FileRow("b", 10);
    const std::vector<DamagedTable> cases = {
        {"empty file", "", {}},
        {"count cut short", std::string("\x02\x00", 2), {}},
        {"huge count", Word(0xFFFFFFFFu) + two, {"a", "b"}},
        {"count above the rows", Word(5) + two, {"a", "b"}},
        {"cut inside the time", Word(2) + two.substr(0, two.size() - 1), {"a"}},
        {"cut inside the name", Word(2) + FileRow("a", 20) + Word(4) + "bb", {"a"}},
        {"huge name length",
         Word(2) + FileRow("a", 20) + Word(0x7FFFFFFFu) + "b" + Word(10) + Word(1),
         {"a"}},
        {"zero byte in a name", Word(1) + FileRow(std::string("ab\0cd", 5), 3), {"ab"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("table.sc", c.bytes);
        test::CaptureLog log;
        game::Scores table;
        table.Add(Row("stale", 1));
        table.Load(Path());
        EXPECT_EQ(NamesOf(table), c.names);
    }
}

// The printed tables also show the latest added row marked.
TEST(ScoresHolder, KeepsTablesByNameAndLoadsTheirFiles) {
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.Path());
    dir.Write("weekly.sc", Word(1) + FileRow("ann", 40));
    game::ScoresHolder* holder = game::ScoresHolder::instance();
    EXPECT_EQ(holder, game::ScoresHolder::instance());

    testing::internal::CaptureStdout();
    EXPECT_TRUE(holder->add("weekly", Row("bob", 60)));
    EXPECT_FALSE(holder->add("never_saved", Row("cid", 0)));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Player\tScore\n*bob\t60\nann\t40\nPlayer\tScore\n");

    const core::ptr<game::Scores> weekly = holder->get_table("weekly", true);
    EXPECT_EQ(NamesOf(*weekly), (std::vector<std::string>{"bob", "ann"})) << "not saved, still held";
    EXPECT_EQ(holder->get_table("weekly", true), weekly);
    EXPECT_EQ(holder->get_table("fresh", true)->GetCount(), 0u);
    EXPECT_EQ(NamesOf(*holder->get_table("weekly")), std::vector<std::string>{"ann"})
        << "loading reads the file again";
}

}  // namespace
