#include "vantle/game/levelset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/io/memory_stream.h"

namespace {

using game::LevelSet;

class LevelSets : public ::testing::Test {
protected:
    // Every file gets a name of its own: the XML cache keeps a document per name for the process.
    std::string Write(const std::string& text) {
        static int files = 0;
        const std::string name = "levels" + std::to_string(++files) + ".xml";
        dir.Write(name, text);
        return dir / name;
    }

    void LoadText(const std::string& text) { set.Load(Write(text)); }

    static std::vector<unsigned int> Uids(const LevelSet& levels) {
        std::vector<unsigned int> uids;
        for (unsigned int i = 0; i < levels.GetLevelCount(); ++i)
            uids.push_back(levels.GetLevel(static_cast<int>(i))->uid);
        return uids;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (unsigned int i = 0; i < set.GetLevelCount(); ++i) {
            names.push_back(set.GetLevel(static_cast<int>(i))->name);
        }
        return names;
    }

    test::TempDir dir;
    LevelSet set;
};

TEST_F(LevelSets, LevelsWithoutAUidTakeTheNextOneFromTheSet) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<unsigned int> uids;
        unsigned int last_uid;
    };
    const Case cases[] = {
        {"no last uid", "<levelset><level/><level/><level/></levelset>", {2, 3, 4}, 4},
        {"last uid 10", "<levelset last_uid='10'><level/><level/><level/></levelset>", {11, 12, 13}, 13},
        {"uid 0 counts as none",
         "<levelset last_uid='5'><level uid='0'/><level uid='20'/><level/></levelset>",
         {6, 20, 7},
         7},
        {"a uid that is no number counts as none",
         "<levelset last_uid='5'><level uid='x'/></levelset>",
         {6},
         6},
        {"episodes take no uid", "<levelset><episode id='1'/><level/></levelset>", {2}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LevelSet fresh;
        fresh.Load(Write(c.text));
        EXPECT_EQ(Uids(fresh), c.uids);
        EXPECT_EQ(fresh.GetLastUid(), c.last_uid);
        for (const auto& episode : fresh.GetEpisodes()) EXPECT_EQ(episode.second->uid, 0u);
    }
}

TEST_F(LevelSets, LevelsOfNestedEpisodesJoinOneListInDocumentOrder) {
    LoadText(
        "<levelset name='campaign'>"
        "<level id='7' name='A'/>"
        "<episode id='1' name='first'><level name='B'/><episode id='2'><level id='0' "
        "name='C'/></episode></episode>"
        "<ignored><level name='hidden'/></ignored>"
        "<episode id='1' name='again'><level name='D'/></episode>"
        "<level name='E'/>"
        "</levelset>");
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    for (unsigned int i = 0; i < set.GetLevelCount(); ++i)
        EXPECT_EQ(set.GetLevel(static_cast<int>(i))->id, i);
    ASSERT_EQ(set.GetEpisodes().size(), 2u);
    EXPECT_EQ(set.GetEpisodes().at(1)->name, "first");
    EXPECT_EQ(set.GetEpisodes().count(2), 1u);
    EXPECT_EQ(set.GetName(), "campaign");
}

TEST_F(LevelSets, ALevelReadsItsOptionsBonusesAndMapPoints) {
    test::CaptureLog log;
    LoadText(
        "<levelset><level name='one' revision='3'>"
        "<options><option name='colors' value='5'/><option name='colors' value='6'/></options>"
        "<options><option name='ignored' value='1'/></options>"
        "<bonuses><bonus name='remove_row' prob='2' delay='4'/><bonus name='remove_row' prob='9'/>"
        "<bonus prob='1'/><other name='x'/></bonuses>"
        "<map_tc x0='1' y0='2' x1='3.5' y1='4' x2='5' y2='6' x3='7' y3='8'/>"
        "</level>"
        "<level name='two'><map_tc x0='1' y0='2' x1='3' y1='4' x2='5' y2='6' x3='7'/></level>"
        "</levelset>");
    const core::ptr<LevelSet::Level> one = set.GetLevel(0);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->revision, 3u);
    EXPECT_EQ(one->Get("colors").as_string(), "5");
    EXPECT_EQ(one->Get("ignored").as_string(), "");
    struct Case {
        const char* name;
        const char* stored_as;
        unsigned int prob, delay;
    };
    const Case bonuses[] = {
        {"remove_row", "remove_row", 9, 0}, {"unknown", "unknown", 1, 0}, {"x", "unknown", 0, 0}};
    for (const Case& c : bonuses) {
        SCOPED_TRACE(c.name);
        const LevelSet::Level::BonusOption bonus = one->GetBonus(c.name);
        EXPECT_EQ(bonus.GetName(), c.stored_as);
        EXPECT_EQ(bonus.GetProb(), c.prob);
        EXPECT_EQ(bonus.GetDelay(), c.delay);
    }
    EXPECT_EQ(one->bonuses.size(), 2u);
    EXPECT_EQ(one->map_tc[1], math::Vector2(3.5f, 4));
    EXPECT_EQ(one->map_tc[3], math::Vector2(7, 8));
    // A missing point reads as 0 and is reported; the rest of the level stands.
    const core::ptr<LevelSet::Level> two = set.GetLevel(1);
    EXPECT_EQ(two->map_tc[3], math::Vector2(7, 0));
    EXPECT_EQ(two->map_tc[2], math::Vector2(5, 6));
    EXPECT_TRUE(log.Contains("lacks y3"));
}

// The named level, or none when name is null.
void ExpectLevel(const core::ptr<LevelSet::Level>& level, const char* name) {
    if (!name) {
        EXPECT_FALSE(level);
        return;
    }
    ASSERT_TRUE(level);
    EXPECT_EQ(level->name, name);
}

TEST_F(LevelSets, LookupsAtTheEndsGiveNoLevel) {
    LoadText("<levelset><level name='a'/><level name='b'/><level name='c'/></levelset>");
    const LevelSet empty;
    struct Case {
        const LevelSet* levels;
        int index;
        const char* level;
        const char* next;
    };
    const Case cases[] = {
        {&set, -1, nullptr, nullptr},  {&set, 0, "a", "b"},
        {&set, 1, "b", "c"},           {&set, 2, "c", nullptr},
        {&set, 3, nullptr, nullptr},   {&set, 2147483647, nullptr, nullptr},
        {&empty, 0, nullptr, nullptr}, {&empty, -1, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.levels == &set ? "three levels, index " : "empty set, index ") +
                     std::to_string(c.index));
        ExpectLevel(c.levels->GetLevel(c.index), c.level);
        ExpectLevel(c.levels->GetNextLevel(c.index), c.next);
    }
}

TEST_F(LevelSets, MovesExchangeNeighboursAndKeepIds) {
    struct Case {
        const char* name;
        bool up;
        int index;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {"up from the first", true, 0, {"b", "a", "c"}},   {"up from the last", true, 2, {"a", "b", "c"}},
        {"down from the last", false, 2, {"a", "c", "b"}}, {"down from the first", false, 0, {"a", "b", "c"}},
        {"up from -1", true, -1, {"a", "b", "c"}},         {"down from 3", false, 3, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadText("<levelset><level name='a'/><level name='b'/><level name='c'/></levelset>");
        if (c.up) {
            set.MoveLevelUp(c.index);
        } else {
            set.MoveLevelDown(c.index);
        }
        EXPECT_EQ(Names(), c.order);
        EXPECT_EQ(set.GetLevel(0)->id, c.order[0] == "a" ? 0u : 1u);
    }
    LevelSet empty;
    empty.MoveLevelUp(0);
    empty.MoveLevelDown(0);
    EXPECT_EQ(empty.GetLevelCount(), 0u);
}

TEST_F(LevelSets, SaveWritesTheLevelsByteForByte) {
    LoadText(
        "<levelset name='not written' last_uid='7'>"
        "<episode id='3'><level id='9' name='First' uid='5' revision='2'>"
        "<options><option name='time_limit' value='120'/><option name='colors' value='4'/></options>"
        "<bonuses><bonus name='remove_row' prob='3' delay='1'/><bonus name='addtime' prob='2'/></bonuses>"
        "<map_tc x0='1' y0='1' x1='1' y1='1' x2='1' y2='1' x3='1' y3='1'/>"
        "</level></episode>"
        "<level name='Second'/>"
        "</levelset>");
    const std::string path = dir / "saved.xml";
    set.Save(path);
    EXPECT_EQ(dir.Read("saved.xml"),
              "<?xml version=\"1.0\"?>\n"
              "<levelset last_uid=\"8\">\n"
              "<level id=\"0\" name=\"First\" uid=\"5\" revision=\"2\">\n"
              "<options>\n"
              "<option name=\"colors\" value=\"4\"/>\n"
              "<option name=\"time_limit\" value=\"120\"/>\n"
              "</options>\n"
              "<bonuses>\n"
              "<bonus name=\"addtime\" prob=\"2\" delay=\"0\" />\n"
              "<bonus name=\"remove_row\" prob=\"3\" delay=\"1\" />\n"
              "</bonuses>\n"
              "</level>\n"
              "<level id=\"1\" name=\"Second\" uid=\"8\" revision=\"0\">\n"
              "<options>\n"
              "</options>\n"
              "<bonuses>\n"
              "</bonuses>\n"
              "</level>\n"
              "</levelset>\n");
}

TEST_F(LevelSets, SavedSpecialCharactersReadBackAsTheyWere) {
    LoadText(
        "<levelset><level name='Fish &amp; &quot;Chips&quot; &lt;3&gt;'>"
        "<options><option name='a&lt;b' value='x&amp;y'/></options>"
        "<bonuses><bonus name='odd&quot;name' prob='1'/></bonuses>"
        "</level></levelset>");
    set.Save(dir / "special.xml");
    const std::string text = dir.Read("special.xml");
    EXPECT_NE(text.find("name=\"Fish &amp; &quot;Chips&quot; &lt;3&gt;\""), std::string::npos) << text;
    LevelSet reread;
    reread.Load(dir / "special.xml");
    ASSERT_EQ(reread.GetLevelCount(), 1u);
    const core::ptr<LevelSet::Level> level = reread.GetLevel(0);
    EXPECT_EQ(level->name, "Fish & \"Chips\" <3>");
    EXPECT_EQ(level->Get("a<b").as_string(), "x&y");
    EXPECT_EQ(level->GetBonus("odd\"name").GetProb(), 1u);
}

TEST_F(LevelSets, ADamagedOrMissingFileKeepsWhatTheSetHad) {
    LoadText("<levelset name='kept' last_uid='3'><level name='a'/></levelset>");
    struct Case {
        const char* name;
        const char* text;  // null: no file at all
        const char* logged;
    };
    const Case cases[] = {
        {"missing file", nullptr, ""},
        {"broken XML", "<levelset><level name='b'></levelset>", "Error loading levelset: "},
        {"no levelset root", "<levels><level name='b'/></levels>", ""},
        {"truncated", "<levelset><level name='b", "Error loading levelset: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::CaptureLog log;
        const std::string path = c.text ? Write(c.text) : dir / "absent.xml";
        set.Load(path);
        EXPECT_EQ(Names(), std::vector<std::string>{"a"});
        EXPECT_EQ(set.GetName(), "kept");
        EXPECT_EQ(set.GetLastUid(), 4u);
        if (*c.logged) {
            EXPECT_TRUE(log.Contains(c.logged + path + " : ")) << path;
        }
    }
}

TEST_F(LevelSets, ASecondFileWithoutNameOrLastUidKeepsThemAndReplacesTheLevels) {
    LoadText("<levelset name='first' last_uid='10'><episode id='1'/><level/></levelset>");
    LoadText("<levelset><level name='x'/><level name='y'/></levelset>");
    EXPECT_EQ(set.GetName(), "first");
    EXPECT_EQ(Names(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(Uids(set), (std::vector<unsigned int>{12, 13}));
    EXPECT_TRUE(set.GetEpisodes().empty());
}

TEST_F(LevelSets, AStreamLoadsLikeAFileButKeepsTheLastUid) {
    std::string text = "<levelset name='streamed' last_uid='50'><level name='s'/></levelset>";
    set.Load(core::ptr<io::IStream>());
    EXPECT_EQ(set.GetLevelCount(), 0u);
    set.Load(core::ptr<io::IStream>(new io::MemoryStream(&text[0], static_cast<unsigned int>(text.size()))));
    EXPECT_EQ(Names(), std::vector<std::string>{"s"});
    EXPECT_EQ(set.GetName(), "streamed");
    EXPECT_EQ(Uids(set), std::vector<unsigned int>{2});

    test::CaptureLog log;
    std::string broken = "<levelset><level></levelset>";
    set.Load(
        core::ptr<io::IStream>(new io::MemoryStream(&broken[0], static_cast<unsigned int>(broken.size()))));
    EXPECT_TRUE(log.Contains("Error loading levelset: levelset : "));
    EXPECT_EQ(Names(), std::vector<std::string>{"s"});
}

}  // namespace
