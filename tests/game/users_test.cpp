#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/record_bytes.h"
#include "support/temp_dir.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/game/users.h"

namespace {

using test::LengthPrefixed;
using test::Word;

// The players file of the documented example: generation, one player "ann" holding "tokens" = "5",
// selected.
std::string AnnFile(unsigned int generation) {
    return Word(generation) + Word(1) + LengthPrefixed("ann") + Word(1) + LengthPrefixed("tokens") +
           LengthPrefixed("5") + LengthPrefixed("ann");
}

std::string Player(const std::string& name) {
    return LengthPrefixed(name) + Word(0);
}

class CountingObserver : public core::Observer {
public:
    void OnUpdate() override { ++count; }
    int count = 0;
};

class UsersTest : public testing::Test {
protected:
    UsersTest() { game::Users::SetFilename(dir / "users.dat"); }

    std::string File() const { return dir.Read("users.dat"); }
    // The generation word of the file, or -1 when there is no file.
    long long FileGeneration() const {
        const std::string bytes = File();
        if (bytes.size() < 4) return -1;
        return static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8 |
               static_cast<unsigned char>(bytes[2]) << 16 | static_cast<long long>(bytes[3] & 0xFF) << 24;
    }
    static std::string Selected(const game::Users& users) {
        const core::ptr<game::User> user = users.GetSelectedUser();
        return user ? user->name : "<none>";
    }

    test::TempDir dir;
};

TEST_F(UsersTest, WritesTheDocumentedExampleByteForByte) {
    {
        game::Users users;
        EXPECT_EQ(FileGeneration(), -1) << "a new list without a file writes nothing";
        users.Add(core::ptr<game::User>(new game::User("ann")));
        EXPECT_EQ(FileGeneration(), 2) << "adding is two changes";
        users.GetSelectedUser()->Set("tokens", core::Value(5u));
        users.Update();
    }
    EXPECT_EQ(File(), AnnFile(3));
}

TEST_F(UsersTest, StartingFromAFileReadsItAndWritesItBackOneGenerationLater) {
    dir.Write("users.dat", AnnFile(7));
    game::Users users;
    EXPECT_EQ(users.GetNames(), std::list<std::string>{"ann"});
    EXPECT_EQ(Selected(users), "ann");
    EXPECT_EQ(users.GetSelectedUser()->Get("tokens").get_type(), core::Value::STRING);
    EXPECT_EQ(users.GetSelectedUser()->Get("tokens").as_uint32(), 5u);
    EXPECT_EQ(File(), AnnFile(8));
}

TEST_F(UsersTest, AddSelectAndRemoveKeepTheListAndTheSelection) {
    game::Users users;
    for (const char* name : {"ann", "bob", "Bob", "cid"})
        users.Add(core::ptr<game::User>(new game::User(name)));
    EXPECT_EQ(users.GetNames(), (std::list<std::string>{"ann", "bob", "Bob", "cid"})) << "case matters";
    EXPECT_EQ(Selected(users), "cid");
    EXPECT_EQ(FileGeneration(), 8);

    users.Add(core::ptr<game::User>(new game::User("bob")));
    EXPECT_EQ(users.GetNames().size(), 4u);
    EXPECT_EQ(FileGeneration(), 8) << "adding a taken name changes nothing";

    users.Select("cid");
    EXPECT_EQ(FileGeneration(), 8) << "selecting the selected player writes nothing";
    users.Select("nobody");
    EXPECT_EQ(Selected(users), "cid");
    EXPECT_EQ(FileGeneration(), 9) << "an unknown name still counts";
    users.Select("bob");
    EXPECT_EQ(Selected(users), "bob");

    users.Remove("nobody");
    EXPECT_EQ(FileGeneration(), 11);
    users.Remove("ann");
    EXPECT_EQ(Selected(users), "bob") << "removing another player keeps the selection";
    users.Remove("bob");
    EXPECT_EQ(Selected(users), "Bob") << "the first player left is selected";
    EXPECT_EQ(users.GetUser("cid")->name, "cid");
    EXPECT_TRUE(users.GetUser("CID").empty());

    users.Remove("Bob");
    users.Remove("cid");
    EXPECT_TRUE(users.GetSelectedUser().empty());
    EXPECT_EQ(File(), Word(15) + Word(0)) << "no selected name after no players";
    game::Users reloaded;
    EXPECT_TRUE(reloaded.GetNames().empty());
    EXPECT_TRUE(reloaded.GetSelectedUser().empty());
}

TEST_F(UsersTest, ObserversHearOfEveryChangeAndOfANewerFile) {
    game::Users users;
    CountingObserver observer;
    users.AttachObserver(&observer);
    users.Add(core::ptr<game::User>(new game::User("ann")));
    EXPECT_EQ(observer.count, 2);
    users.Update();
    EXPECT_EQ(observer.count, 3);
    users.Sync();
    EXPECT_EQ(observer.count, 3) << "nothing differs";

    // Another process writes a newer file.
    dir.Write("users.dat", Word(50) + Word(1) + Player("zed") + LengthPrefixed("zed"));
    users.Sync();
    EXPECT_EQ(users.GetNames(), std::list<std::string>{"zed"});
    EXPECT_EQ(Selected(users), "zed");
    EXPECT_EQ(FileGeneration(), 51);
    EXPECT_EQ(observer.count, 5) << "once for the newer file, once for writing back the selection";
    users.DetachObserver(&observer);
}

TEST_F(UsersTest, ASelectedNameThatMatchesNoPlayerLeavesNoneSelected) {
    dir.Write("users.dat", Word(1) + Word(2) + Player("ann") + Player("bob") + LengthPrefixed("cid"));
    {
        game::Users users;
        EXPECT_EQ(users.GetNames().size(), 2u);
        EXPECT_TRUE(users.GetSelectedUser().empty());
    }
    EXPECT_EQ(File(), Word(2) + Word(2) + Player("ann") + Player("bob") + LengthPrefixed("ann"))
        << "with none selected the file names the first player";
}

struct DamagedFile {
    const char* name;
    std::string bytes;
    std::list<std::string> names;
    std::string selected;
    // Kept beside as "users.dat.damaged" before the first save over it: it did not read back whole.
    bool kept = true;
};

TEST_F(UsersTest, DamagedFilesKeepTheWholePlayersAndNeverStopTheStart) {
    const std::string two =
        Player("ann") + LengthPrefixed("bob") + Word(1) + LengthPrefixed("tokens") + LengthPrefixed("9");
    const std::vector<DamagedFile> cases = {
        {"empty file", "", {}, "<none>"},
        {"cut inside the generation", std::string("\x05\x00", 2), {}, "<none>"},
        {"no count", Word(3), {}, "<none>"},
        {"huge count", Word(3) + Word(0xFFFFFFFFu) + two + LengthPrefixed("bob"), {"ann", "bob"}, "ann"},
        {"count above the players", Word(3) + Word(5) + two, {"ann", "bob"}, "ann"},
        {"count below the players", Word(3) + Word(1) + two + LengthPrefixed("bob"), {"ann"}, "<none>"},
        {"cut inside the second player", Word(3) + Word(2) + two.substr(0, two.size() - 2), {"ann"}, "ann"},
        {"huge name length", Word(3) + Word(2) + Player("ann") + Word(0x7FFFFFFFu) + "bob", {"ann"}, "ann"},
        {"huge option count", Word(3) + Word(1) + LengthPrefixed("ann") + Word(0xFFFFFFF0u), {}, "<none>"},
        {"cut inside the selected name", Word(3) + Word(2) + two + Word(3) + "bo", {"ann", "bob"}, "ann"},
        {"the same name twice",
         Word(3) + Word(3) + Player("ann") + Player("bob") + Player("ann") + LengthPrefixed("bob"),
         {"ann", "bob"},
         "bob"},
        {"generation 0 with players",
         Word(0) + Word(1) + Player("ann") + LengthPrefixed("ann"),
         {"ann"},
         "ann",
         false},
        {"generation at its limit",
         Word(0xFFFFFFFFu) + Word(1) + Player("ann") + LengthPrefixed("ann"),
         {"ann"},
         "ann",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("users.dat", c.bytes);
        dir.Write("users.dat.damaged", "older");
        test::CaptureLog log;
        game::Users users;
        EXPECT_EQ(users.GetNames(), c.names);
        EXPECT_EQ(Selected(users), c.selected);
        // The game goes on: changes are counted and written as usual.
        users.Add(core::ptr<game::User>(new game::User("new")));
        game::Users reloaded;
        std::list<std::string> expected = c.names;
        expected.push_back("new");
        EXPECT_EQ(reloaded.GetNames(), expected);
        EXPECT_EQ(Selected(reloaded), "new");
        EXPECT_EQ(dir.Read("users.dat.damaged"), c.kept ? c.bytes : "older");
        EXPECT_EQ(log.Contains("kept as"), c.kept);
    }
}

TEST_F(UsersTest, ADamagedFileThatCannotBeKeptIsNotSavedOver) {
    const std::string cut = AnnFile(3) + Word(2);
    dir.Write("users.dat", cut);
    dir.Write("users.dat.damaged.tmp/blocker", "");
    test::CaptureLog log;
    {
        game::Users users;
        users.Add(core::ptr<game::User>(new game::User("bob")));
        EXPECT_EQ(File(), cut);
        EXPECT_TRUE(log.Contains("can't keep the damaged"));

        std::filesystem::remove_all(dir / "users.dat.damaged.tmp");
        users.Update();
    }
    EXPECT_EQ(dir.Read("users.dat.damaged"), cut);
    game::Users reloaded;
    EXPECT_EQ(reloaded.GetNames(), (std::list<std::string>{"ann", "bob"}));
}

TEST_F(UsersTest, AGenerationAtItsLimitStartsAgainInsteadOfLookingOlderThanTheFile) {
    dir.Write("users.dat", Word(0xFFFFFFFEu) + Word(1) + Player("ann") + LengthPrefixed("ann"));
    test::CaptureLog log;
    game::Users users;
    EXPECT_EQ(FileGeneration(), 0xFFFFFFFFu);
    users.Add(core::ptr<game::User>(new game::User("bob")));
    EXPECT_EQ(users.GetNames(), (std::list<std::string>{"ann", "bob"}));
    EXPECT_EQ(FileGeneration(), 2);
    EXPECT_TRUE(log.Contains("starts again"));
    game::Users reloaded;
    EXPECT_EQ(reloaded.GetNames(), (std::list<std::string>{"ann", "bob"}));
}

TEST_F(UsersTest, AFailedWriteKeepsTheOldFileAndTheNextChangeTriesAgain) {
    dir.Write("users.dat", AnnFile(3));
    // A folder where the temporary file should go makes the write fail, as a full disk would.
    dir.Write("users.dat.tmp/blocker", "");
    test::CaptureLog log;
    game::Users users;
    users.Add(core::ptr<game::User>(new game::User("bob")));
    EXPECT_EQ(File(), AnnFile(3));
    EXPECT_TRUE(log.Contains("can't save the players"));
    EXPECT_EQ(users.GetNames(), (std::list<std::string>{"ann", "bob"})) << "memory keeps the change";

    std::filesystem::remove_all(dir / "users.dat.tmp");
    users.Update();
    game::Users reloaded;
    EXPECT_EQ(reloaded.GetNames(), (std::list<std::string>{"ann", "bob"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "users.dat.tmp"));
}

TEST_F(UsersTest, FunctorsTakeTheNameFromTheContext) {
    game::Users::RegisterFunctors();
    core::FunctorFactory* factory = core::FunctorFactory::instance();
    core::Context* context = core::Context::instance();
    game::Users* users = game::Users::instance();

    context->Set("$", core::Value(std::string("ann")));
    (*factory->Create("add_user"))();
    context->Set("$", core::Value(std::string("bob")));
    (*factory->Create("add_user(ignored)"))();
    context->Set("$", core::Value(std::string("ann")));
    (*factory->Create("sel_user"))();
    EXPECT_EQ(Selected(*users), "ann");
    context->Set("$", core::Value(std::string("bob")));
    (*factory->Create("del_user"))();
    EXPECT_EQ(users->GetNames(), std::list<std::string>{"ann"});

    context->Set("$", core::Value(std::string()));
    const long long before = FileGeneration();
    (*factory->Create("add_user;del_user;sel_user"))();
    EXPECT_EQ(FileGeneration(), before) << "an empty name does nothing";
    game::Users::destroy();
}

}  // namespace
