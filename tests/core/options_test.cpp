#include <gtest/gtest.h>

#include <tinyxml.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/record_bytes.h"
#include "vantle/core/options.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"

namespace {

using test::LengthPrefixed;
using test::Word;

// Parses the text and loads the options of its root element.
core::Options FromXml(const std::string& xml) {
    TiXmlDocument document;
    document.Parse(xml.c_str());
    EXPECT_FALSE(document.Error()) << document.ErrorDesc() << "\n" << xml;
    return core::Options(document.RootElement());
}

std::string Saved(const core::Options& options) {
    core::ptr<io::BufferStream> sink(new io::BufferStream);
    io::Writer writer(sink);
    options.Save(writer);
    return sink->Bytes();
}

core::Options Loaded(const std::string& bytes, bool* whole = nullptr) {
    core::Options options;
    options.Set("stale", core::Value(1));
    io::Reader reader(core::ptr<io::IStream>(new io::BufferStream(bytes)));
    const bool loaded_whole = options.Load(reader);
    if (whole) *whole = loaded_whole;
    return options;
}

TEST(Options, LoadTakesCompleteOptionElementsAndTheFirstValueOfAName) {
    core::Options options = FromXml(
        "<level>"
        "<option name=\"a\" value=\"1\"/>"
        "<option name=\"a\" value=\"2\"/>"
        "<option name=\"no_value\"/>"
        "<option value=\"no name\"/>"
        "<other name=\"other\" value=\"3\"/>"
        "<option name=\"empty\" value=\"\"/>"
        "</level>");
    EXPECT_EQ(options.Get("a").as_string(), "1");
    EXPECT_EQ(options.Get("a").get_type(), core::Value::STRING);
    EXPECT_EQ(options.Get("no_value").get_type(), core::Value::UNSET);
    EXPECT_EQ(options.Get("other").get_type(), core::Value::UNSET);
    EXPECT_EQ(options.Get("empty").get_type(), core::Value::STRING);
    EXPECT_EQ(options.Get("missing").get_type(), core::Value::UNSET);

    TiXmlDocument second;
    second.Parse("<level><option name=\"a\" value=\"9\"/><option name=\"b\" value=\"8\"/></level>");
    options.Load(second.RootElement());
    EXPECT_EQ(options.Get("a").as_string(), "1");
    EXPECT_EQ(options.Get("b").as_string(), "8");
    EXPECT_EQ(options.Get("empty").get_type(), core::Value::STRING);
}

TEST(Options, ToXmlWritesOneLinePerEntryInNameOrder) {
    EXPECT_EQ(core::Options().ToXML(), "<options>\n</options>\n");
    core::Options options;
    options.Set("tokens", core::Value(5));
    options.Set("name", core::Value(std::string("Ann Lee")));
    options.Set("music", core::Value(true));
    EXPECT_EQ(options.ToXML(),
              "<options>\n"
              "<option name=\"music\" value=\"true\"/>\n"
              "<option name=\"name\" value=\"Ann Lee\"/>\n"
              "<option name=\"tokens\" value=\"5\"/>\n"
              "</options>\n");
}

TEST(Options, SpecialCharactersAreEscapedAndSurviveTheRoundTrip) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"quote", "say \"hi\""},          {"angles", "a<b>c"},        {"amp", "Tom & Jerry"},
        {"entity", "&amp; stays text"},   {"we<ird\"&>", "name too"}, {"apostrophe", "it's"},
        {"plain", "nothing special 1.5"},
    };
    core::Options options;
    for (const auto& entry : entries) options.Set(entry.first, core::Value(entry.second));
    std::string xml = options.ToXML();
    EXPECT_NE(xml.find("value=\"say &quot;hi&quot;\""), std::string::npos);
    EXPECT_NE(xml.find("value=\"a&lt;b&gt;c\""), std::string::npos);
    EXPECT_NE(xml.find("value=\"Tom &amp; Jerry\""), std::string::npos);

    core::Options back = FromXml(xml);
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(back.Get(entry.first).as_string(), entry.second);
    }
    EXPECT_EQ(back.ToXML(), xml);
}

TEST(Options, BinaryFormIsTheCountThenNamesAndValuesAsText) {
    core::Options options;
    options.Set("b", core::Value(5));
    options.Set("a", core::Value(std::string("x")));
    EXPECT_EQ(Saved(options), Word(2) + LengthPrefixed("a") + LengthPrefixed("x") + LengthPrefixed("b") +
                                  LengthPrefixed("5"));
    EXPECT_EQ(Saved(core::Options()), Word(0));
}

TEST(Options, BinaryRoundTripGivesTextValuesAndDropsWhatWasThere) {
    core::Options options;
    options.Set("tokens", core::Value(5));
    options.Set("powerups", core::Value(std::string("row:2;col:1 <&\"> ")));
    options.Set("empty", core::Value(std::string()));
    core::Options back = Loaded(Saved(options));
    EXPECT_EQ(back.Get("tokens").get_type(), core::Value::STRING);
    EXPECT_EQ(back.Get("tokens").as_string(), "5");
    EXPECT_EQ(back.Get("tokens").as_int32(), 5);
    EXPECT_EQ(back.Get("powerups").as_string(), "row:2;col:1 <&\"> ");
    EXPECT_EQ(back.Get("empty").get_type(), core::Value::STRING);
    EXPECT_EQ(back.Get("stale").get_type(), core::Value::UNSET);
    EXPECT_EQ(back.ToXML(), options.ToXML());
}

struct BinaryCase {
    const char* name;
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> expected;
    bool logged;
    bool whole;
};

TEST(Options, DamagedBinaryInputLoadsWhatIsThereAndStops) {
    const std::vector<BinaryCase> cases = {
        {"nothing at all", "", {}, false, false},
        {"later duplicate wins",
         Word(2) + LengthPrefixed("a") + LengthPrefixed("1") + LengthPrefixed("a") + LengthPrefixed("2"),
         {{"a", "2"}},
         false,
         true},
        {"count far too high",
         Word(0xFFFFFFFFu) + LengthPrefixed("a") + LengthPrefixed("1"),
         {{"a", "1"}},
         true,
         false},
        {"cut after a name",
         Word(2) + LengthPrefixed("a") + LengthPrefixed("1") + LengthPrefixed("b"),
         {{"a", "1"}},
         true,
         false},
        {"cut inside a value", Word(1) + LengthPrefixed("a") + Word(10) + "xy", {{"a", "xy"}}, true, false},
        {"name length damaged", Word(3) + Word(0xFFFFFFF0u) + "q", {}, true, false},
        {"count cut short", std::string("\x01\x00", 2), {}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::CaptureLog log;
        bool whole = !c.whole;
        core::Options back = Loaded(c.bytes, &whole);
        EXPECT_EQ(whole, c.whole);
        core::Options expected;
        for (const auto& entry : c.expected) expected.Set(entry.first, core::Value(entry.second));
        EXPECT_EQ(back.ToXML(), expected.ToXML());
        EXPECT_EQ(!log.Lines().empty(), c.logged);
    }
}

}  // namespace
