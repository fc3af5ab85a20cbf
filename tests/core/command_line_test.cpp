#include "vantle/core/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"

namespace {

using Strings = std::vector<std::string>;

core::CommandLine FromArgv(Strings words) {
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(&word[0]);
    return core::CommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, SplitsArgvIntoKeysValuesAndArguments) {
    core::CommandLine line = FromArgv({"prog", "-d", "-w", "800", "file"});
    EXPECT_EQ(line.GetArgs(), (Strings{"prog", "file"}));
    EXPECT_EQ(line.GetKeys(), (Strings{"-d", "-w"}));
    EXPECT_TRUE(line.KeyExist("-d"));
    EXPECT_FALSE(line.KeyExist("d"));
    EXPECT_EQ(line.GetKeyValue("-d"), "");
    EXPECT_EQ(line.GetKeyValue("-w"), "800");
    EXPECT_EQ(line.GetKeyValue("-missing"), "");
    EXPECT_EQ(line.GetArgCount(), 2);
    EXPECT_EQ(line.GetArg(1), "file");
    EXPECT_EQ(line.GetArg(2), "");
}

struct ParseCase {
    const char* text;
    Strings args;
    Strings keys;
    Strings values;  // one per key, in key order
};

TEST(CommandLine, ParsesTextTable) {
    const ParseCase cases[] = {
        {"", {}, {}, {}},
        {"a  b   c ", {"a", "b", "c"}, {}, {}},
        {"x \"two words\" y", {"x", "\"two words\"", "y"}, {}, {}},
        {"\"a   b\"", {"\"a b\""}, {}, {}},
        {"\"one\" \"", {"\"one\"", "\""}, {}, {}},
        {"a \"never closed b", {"a"}, {}, {}},
        {"-n -5 z", {}, {"-5", "-n"}, {"z", ""}},
        {"- -k", {"-"}, {"-k"}, {""}},
        {"-k \"quoted value\" rest", {"rest"}, {"-k"}, {"\"quoted value\""}},
        {"-k 1 -k", {}, {"-k"}, {""}},
        {"-b 2 -a 1", {}, {"-a", "-b"}, {"1", "2"}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        core::CommandLine line{std::string(c.text)};
        EXPECT_EQ(line.GetArgs(), c.args);
        EXPECT_EQ(line.GetKeys(), c.keys);
        Strings values;
        for (const auto& key : line.GetKeys()) values.push_back(line.GetKeyValue(key));
        EXPECT_EQ(values, c.values);
    }
}

TEST(CommandLine, LogsEveryCompleteToken) {
    test::CaptureLog log;
    core::CommandLine line{std::string("-w 800 \"a b\"")};
    EXPECT_EQ(log.Lines(), (Strings{"cl part: -w", "cl part: 800", "cl part: \"a b\""}));
}

TEST(CommandLine, ParsingAgainGivesTheSameResult) {
    core::CommandLine line = FromArgv({"prog", "-w", "800", "file"});
    line.Parse();
    EXPECT_EQ(line.GetArgs(), (Strings{"prog", "file"}));
    EXPECT_EQ(line.GetKeys(), (Strings{"-w"}));
    EXPECT_EQ(line.GetKeyValue("-w"), "800");
}

TEST(CommandLine, DefaultIsEmpty) {
    core::CommandLine line;
    EXPECT_EQ(line.GetArgCount(), 0);
    EXPECT_TRUE(line.GetKeys().empty());
    EXPECT_EQ(line.GetArg(0), "");
}

}  // namespace
