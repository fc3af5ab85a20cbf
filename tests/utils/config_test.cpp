#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/io/memory_stream.h"
#include "vantle/utils/config.h"

namespace {

core::ptr<io::IStream> Text(std::string& bytes) {
    return core::ptr<io::IStream>(new io::MemoryStream(&bytes[0], bytes.size()));
}

// A settings object on a user file in a fresh folder.
class ConfigTest : public ::testing::Test {
protected:
    ConfigTest() { utils::Config::SetFilename(dir / "config.cfg"); }
    ~ConfigTest() override { utils::Config::SetFilename(""); }

    test::TempDir dir;
};

struct ParseCase {
    const char* name;
    std::string text;
    std::map<std::string, std::string> expected;
};

TEST_F(ConfigTest, ParsesSettingsLines) {
    const std::vector<ParseCase> cases = {
        {"blanks around", "  volume\t =  0.5 \t\n", {{"volume", "0.5"}}},
        {"CR LF line ends", "a = 1\r\nb = 2\r\n", {{"a", "1"}, {"b", "2"}}},
        {"both quotes", "a = \"x y\"", {{"a", "x y"}}},
        {"opening quote only", "a = \"x", {{"a", "x"}}},
        {"closing quote only", "a = x\"", {{"a", "x\""}}},
        {"a lone quote", "a = \"", {{"a", ""}}},
        {"quoted blanks stay", "a = \" x \"", {{"a", " x "}}},
        {"comments", "# a = 1\n  #b\n#=\nc = 2", {{"c", "2"}}},
        {"no equals sign", "just words\nd = 4", {{"d", "4"}}},
        {"empty key", "= 5\n \t = 6\ne = 7", {{"e", "7"}}},
        {"second equals belongs to the value", "a=b=c", {{"a", "b=c"}}},
        {"spaces inside a key", "my key = v", {{"my key", "v"}}},
        {"empty value", "a =\nb = \"\"", {{"a", ""}, {"b", ""}}},
        {"later duplicate wins", "a = 1\na = 2\r\n", {{"a", "2"}}},
        {"zero byte ends the text", std::string("a = 1\nb = 2\0\nc = 3", 19), {{"a", "1"}, {"b", "2"}}},
        {"hash inside a value", "a = #1", {{"a", "#1"}}},
    };
    // No user file, so one case's settings cannot reach the next.
    utils::Config::SetFilename("");
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        utils::Config config;
        std::string bytes = c.text;
        config.Load(Text(bytes), false);
        for (const auto& expected : c.expected) {
            EXPECT_EQ(config.Get(expected.first).get_type(), core::Value::STRING) << expected.first;
            EXPECT_EQ(config.Get(expected.first).as_string(), expected.second) << expected.first;
        }
        for (const char* absent : {"#", "# a", "#b", "just words", "c\"", "", "d"}) {
            if (c.expected.count(absent) == 0) {
                EXPECT_EQ(config.Get(absent).get_type(), core::Value::UNSET) << absent;
            }
        }
    }
}

TEST_F(ConfigTest, NumbersReadTheSameEverywhere) {
    utils::Config config;
    std::string bytes = "sfx_volume = 0.5\nfps_limit_active = 60\nfullscreen = yes";
    config.Load(Text(bytes), false);
    EXPECT_FLOAT_EQ(config.Get("sfx_volume").as_float(), 0.5f);
    EXPECT_EQ(config.Get("fps_limit_active").as_uint32(), 60u);
    EXPECT_TRUE(config.Get("fullscreen").get_bool());
}

TEST_F(ConfigTest, SetWritesOnlyWhatDiffersFromTheDefaults) {
    std::string defaults = "sfx_volume = 1\nlanguage = en\n";
    dir.Write("config.cfg", "sfx_volume = 0.5\n");
    {
        utils::Config config;
        config.Load(Text(defaults), true);
        config.Reload();
        EXPECT_EQ(config.Get("sfx_volume").as_string(), "0.5");
        config.Set("Zeta", core::Value(""));
        config.Set("alpha", core::Value(3));
        EXPECT_EQ(dir.Read("config.cfg"), "Zeta = \r\nalpha = 3\r\nsfx_volume = 0.5\r\n");
        config.Set("sfx_volume", core::Value("1"));
        EXPECT_EQ(dir.Read("config.cfg"), "Zeta = \r\nalpha = 3\r\n");
        EXPECT_EQ(config.Get("alpha").get_type(), core::Value::INT32);
        config.Set("language", core::Value("de"));
    }
    // The destructor saved once more, and no temporary file stays behind.
    EXPECT_EQ(dir.Read("config.cfg"), "Zeta = \r\nalpha = 3\r\nlanguage = de\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "config.cfg.tmp"));
}

TEST_F(ConfigTest, ValuesThatNeedQuotesSurviveAReload) {
    const std::vector<std::string> values = {" lead", "trail ", "\"quoted\"", "\"",  "a\"",
                                             "\tTab", "",       "x = y",      "#no", "1\rfullscreen = 1",
                                             "end\r", "\rstart"};
    {
        utils::Config config;
        for (size_t i = 0; i < values.size(); ++i)
            config.Set("k" + std::to_string(i), core::Value(values[i]));
    }
    utils::Config reloaded;
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(reloaded.Get("k" + std::to_string(i)).as_string(), values[i]) << i;
    }
    EXPECT_EQ(reloaded.Get("fullscreen").get_type(), core::Value::UNSET);
}

TEST_F(ConfigTest, LineBreaksCannotInjectSettings) {
    struct Case {
        std::string key, value;
    };
    const std::vector<Case> refused = {
        {"a", "1\nfullscreen = 1"},

        {"a\nfullscreen", "1"},
        {"a", std::string("1\0b", 3)},
        {std::string("a\0", 2), "1"},
        {"a=b", "1"},
        {"#a", "1"},
        {" a", "1"},
        {"a ", "1"},
        {"", "1"},
    };
    {
        test::CaptureLog log;
        utils::Config config;
        config.Set("kept", core::Value("yes"));
        for (const Case& c : refused) config.Set(c.key, core::Value(c.value));
        EXPECT_EQ(log.Lines().size(), refused.size());
        EXPECT_EQ(config.Get("a").get_type(), core::Value::UNSET);
    }
    EXPECT_EQ(dir.Read("config.cfg"), "kept = yes\r\n");
    utils::Config reloaded;
    EXPECT_EQ(reloaded.Get("fullscreen").get_type(), core::Value::UNSET);
    EXPECT_EQ(reloaded.Get("kept").as_string(), "yes");
}

TEST_F(ConfigTest, FailedWriteKeepsTheOldFile) {
    dir.Write("config.cfg", "language = fr\r\n");
    // A folder where the temporary file should go makes the write fail, as a full disk would.
    dir.Write("config.cfg.tmp/blocker", "");
    test::CaptureLog log;
    {
        utils::Config config;
        config.Set("language", core::Value("de"));
        EXPECT_EQ(config.Get("language").as_string(), "de");
    }
    EXPECT_EQ(dir.Read("config.cfg"), "language = fr\r\n");
    EXPECT_TRUE(log.Contains("Can't save settings to"));
}

TEST_F(ConfigTest, WithoutAFileNameSetIsReportedAndWritesNothing) {
    utils::Config::SetFilename("");
    test::CaptureLog log;
    const std::string working_directory = std::filesystem::current_path();
    {
        utils::Config config;
        log.Clear();
        config.Set("language", core::Value("de"));
        EXPECT_EQ(config.Get("language").as_string(), "de");
        EXPECT_EQ(log.Lines(), std::vector<std::string>{"Empty filename was given!"});
    }
    EXPECT_FALSE(std::filesystem::exists(working_directory + "/.tmp"));
}

TEST_F(ConfigTest, MissingFilesAndStreamsChangeNothing) {
    utils::Config config;
    config.Load(core::ptr<io::IStream>(), true);
    config.LoadDefaults("no/such/defaults.cfg");
    config.Reload();
    EXPECT_EQ(config.Get("anything").get_type(), core::Value::UNSET);
}

}  // namespace
