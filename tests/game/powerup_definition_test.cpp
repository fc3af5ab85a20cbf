#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "powerup_table.h"
#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/game/powerup_definition.h"

namespace {

using game::PowerupDefinitionTable;

core::ptr<game::PowerupDefinition> Definition(const std::string& name) {
    return PowerupDefinitionTable::instance()->Get(name);
}

class PowerupDefinitionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadPowerupTable("data/powerups.xml"); }
};

struct FillingTimeCase {
    const char* name;
    unsigned int level;
    unsigned int max_level;
    unsigned int expected;
};

TEST_F(PowerupDefinitionTest, FillingTimesAreIndexedByHowManyLevelsAboveTheStepAreOwned) {
    const std::vector<FillingTimeCase> cases = {
        {"recolor", 0, 0, 5000},
        {"recolor", 0, 1, 3000},
        {"recolor", 0, 2, 3000},
        {"recolor", 0, 9, 3000},
        {"recolor", 1, 1, 4000},
        {"recolor", 1, 2, 4000},
        // Owned below the step: the index wraps to a huge number, which means the last time.
        {"recolor", 1, 0, 4000},
        {"recolor", 2, 2, 1000},
        {"recolor", 3, 3, 1000},
        {"remove_row", 0, 0, 2000},
        {"instant", 0, 0, 0},
        {"hollow", 0, 0, 1000},
    };
    for (const FillingTimeCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " level " + std::to_string(c.level) + " owned up to " +
                     std::to_string(c.max_level));
        ASSERT_TRUE(Definition(c.name));
        EXPECT_EQ(Definition(c.name)->GetFillingTime(c.level, c.max_level), c.expected);
    }
}

// A table of its own for each case; each file is named apart because the XML cache keeps documents.
class PowerupTableLoadTest : public ::testing::Test {
protected:
    PowerupTableLoadTest() : _cwd(dir.Path()) {}

    void Load(const std::string& name, const std::string& text) {
        dir.Write(name, text);
        table.Load(name);
    }

    test::TempDir dir;
    PowerupDefinitionTable table;

private:
    test::WorkingDirectory _cwd;
};

TEST_F(PowerupTableLoadTest, MissingBrokenAndForeignFilesLeaveTheTableAsItWas) {
    Load("first.xml", R"(<powerups><powerup name="a"><level price="3"/></powerup></powerups>)");
    test::CaptureLog log;
    table.Load("missing.xml");
    EXPECT_FALSE(log.Contains("Error"));
    Load("broken.xml", R"(<powerups><powerup name="b"></powerups>)");
    EXPECT_TRUE(log.Contains("Error loading powerup table: broken.xml : "));
    Load("root.xml", R"(<levels><powerup name="c"/></levels>)");
    EXPECT_EQ(table.GetAllNames(), std::vector<std::string>{"a"});
}

TEST_F(PowerupTableLoadTest, LaterEntriesReplaceEarlierOnesOfTheirNameAndOthersStay) {
    Load("one.xml", R"(<powerups>
        <powerup name="twice"><level price="1"/></powerup>
        <powerup name="kept"><level price="1"/></powerup>
        <powerup name="Kept"/>
    </powerups>)");
    Load("two.xml", R"(<powerups>
        <powerup name="twice"><level price="2"/></powerup>
        <powerup name="twice"><level price="3"/><level/></powerup>
        <other name="ignored"/>
    </powerups>)");
    EXPECT_EQ(table.GetAllNames(), (std::vector<std::string>{"Kept", "kept", "twice"}));
    EXPECT_EQ(table.Get("twice")->GetPrice(0), 3u);
    EXPECT_EQ(table.Get("twice")->GetLevelCount(), 2u);
    EXPECT_EQ(table.Get("twice")->GetPrice(1), 0u) << "a level without a price costs nothing";
    EXPECT_FALSE(table.Get("ignored"));
}

TEST_F(PowerupTableLoadTest, DamagedEntriesAreLoggedAndSkipped) {
    test::CaptureLog log;
    Load("damaged.xml", R"(<powerups>
        <powerup><level price="5"/></powerup>
        <powerup name="gaps">
            <level price="x"><filling_time><level/><level time="700"/><other time="1"/></filling_time></level>
        </powerup>
    </powerups>)");
    EXPECT_EQ(table.GetAllNames(), std::vector<std::string>{"gaps"});
    EXPECT_TRUE(log.Contains("Powerup table damaged.xml: a powerup without a name on line 2 is skipped"));
    EXPECT_TRUE(
        log.Contains("Powerup table damaged.xml: a filling time without \"time\" on line 4 is skipped"));
    EXPECT_EQ(table.Get("gaps")->GetFillingTime(0, 0), 700u);
    EXPECT_EQ(table.Get("gaps")->GetPrice(0), 0u);
}

}  // namespace
