#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/xml/xmlcache.h"

namespace {

// Each test names its own files: the cache keeps documents for the whole process.
class XmlCacheTest : public ::testing::Test {
protected:
    XmlCacheTest() : _cwd(dir.Path()) {}

    core::ptr<TiXmlDocument> Get(const std::string& name) { return xml::XmlCache::instance()->Get(name); }

    test::TempDir dir;

private:
    test::WorkingDirectory _cwd;
};

TEST_F(XmlCacheTest, ParsesOnceAndSharesTheDocument) {
    dir.Write("a.xml", "<root><child id=\"1\"/></root>");
    test::CaptureLog log;
    const core::ptr<TiXmlDocument> first = Get("a.xml");
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->Error());
    EXPECT_STREQ(first->Value(), "a.xml");
    EXPECT_STREQ(first->FirstChildElement("root")->FirstChildElement("child")->Attribute("id"), "1");
    EXPECT_EQ(Get("a.xml").get(), first.get());
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST_F(XmlCacheTest, CarriageReturnsAreRemovedEverywhere) {
    dir.Write("lf.xml", "<root>\n<e text=\"one\ntwo\"/>\n</root>\n");
    dir.Write("crlf.xml", "<root>\r\n<e text=\"one\r\ntwo\"/>\r\n</root>\r\n");
    const core::ptr<TiXmlDocument> lf = Get("lf.xml");
    const core::ptr<TiXmlDocument> crlf = Get("crlf.xml");
    ASSERT_TRUE(lf && crlf);
    const std::string lf_text = lf->FirstChildElement("root")->FirstChildElement("e")->Attribute("text");
    EXPECT_EQ(crlf->FirstChildElement("root")->FirstChildElement("e")->Attribute("text"), lf_text);
    EXPECT_EQ(lf_text.find('\r'), std::string::npos);
}

TEST_F(XmlCacheTest, ParsesOnlyUpToAZeroByte) {
    dir.Write("zero.xml", std::string("<root/>\0<second/>", 17));
    const core::ptr<TiXmlDocument> document = Get("zero.xml");
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->Error());
    EXPECT_FALSE(document->FirstChildElement("second"));
}

TEST_F(XmlCacheTest, FailuresAreKeptForTheCallerToReport) {
    test::CaptureLog log;
    EXPECT_FALSE(Get("missing.xml"));
    EXPECT_FALSE(Get("missing.xml"));
    EXPECT_EQ(log.Lines().size(), 1u);

    dir.Write("broken.xml", "<root><open></root>");
    const core::ptr<TiXmlDocument> broken = Get("broken.xml");
    ASSERT_TRUE(broken);
    EXPECT_TRUE(broken->Error());
    EXPECT_STREQ(broken->Value(), "broken.xml");
    EXPECT_NE(std::string(broken->ErrorDesc()), "");
}

TEST_F(XmlCacheTest, ParseErrorsAreReportedUnderTheCallersPrefix) {
    dir.Write("good.xml", "<root/>");
    dir.Write("bad.xml", "<root>");
    test::CaptureLog log;
    EXPECT_FALSE(xml::ReportParseError(*Get("good.xml"), "Error loading thing: "));
    EXPECT_TRUE(xml::ReportParseError(*Get("bad.xml"), "Error loading thing: "));
    ASSERT_EQ(log.Lines().size(), 3u);  // two loads, one report
    EXPECT_EQ(log.Lines()[2], "Error loading thing: bad.xml : " + std::string(Get("bad.xml")->ErrorDesc()));
}

TEST_F(XmlCacheTest, LoadGivesOnlyDocumentsThatParse) {
    dir.Write("load_good.xml", "<root/>");
    dir.Write("load_bad.xml", "<root>");
    test::CaptureLog log;
    const core::ptr<TiXmlDocument> good = xml::Load("load_good.xml", "Error loading thing: ");
    ASSERT_TRUE(good);
    EXPECT_EQ(good.get(), Get("load_good.xml").get());
    EXPECT_FALSE(xml::Load("load_missing.xml", "Error loading thing: "));
    EXPECT_FALSE(log.Contains("Error loading thing: "));
    EXPECT_FALSE(xml::Load("load_bad.xml", "Error loading thing: "));
    EXPECT_EQ(log.Lines().back(),
              "Error loading thing: load_bad.xml : " + std::string(Get("load_bad.xml")->ErrorDesc()));
}

TEST_F(XmlCacheTest, DeepNestingIsAnErrorNotACrash) {
    // Text, attribute values, comments and sections that look like closing tags close nothing.
    const struct {
        const char* file;
        const char* level;
    } cases[] = {
        {"deep.xml", "<a>"},
        {"deep_text.xml", "<a>/>"},
        {"deep_attribute.xml", "<a b=\"/>\" c='</a>'>"},
        {"deep_comment.xml", "<!-- </a> --><a>"},
        {"deep_cdata.xml", "<a><![CDATA[</a>]]>"},
        {"deep_short_comment.xml", "<!--></a>--><a>"},
        {"deep_declaration.xml", "<a><?xml version='></a>'?>"},
        {"deep_bom_declaration.xml", "<a><?xml \xEF\xBB\xBFversion='></a>'?>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string deep;
        for (int i = 0; i < 200000; ++i) deep += c.level;
        dir.Write(c.file, deep);
        test::CaptureLog log;
        const core::ptr<TiXmlDocument> document = Get(c.file);
        ASSERT_TRUE(document);
        EXPECT_TRUE(document->Error());
        EXPECT_TRUE(log.Contains("nested too deeply"));
    }

    // Markup that only looks like tags does not count against well-formed documents.
    std::string fine = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE x></x>";
    for (int i = 0; i < 500; ++i) fine += "<a x='>' y=\"/>\"><!-- <b> --><![CDATA[<c>]]><e/><f z='<g>'/>";
    for (int i = 0; i < 500; ++i) fine += "</a>";
    dir.Write("fine.xml", fine);
    EXPECT_FALSE(Get("fine.xml")->Error());

    std::string flat = "<root>";
    for (int i = 0; i < 5000; ++i) flat += "<b/><c></c>";
    dir.Write("flat.xml", flat + "</root>");
    EXPECT_FALSE(Get("flat.xml")->Error());
}

int DocumentDepth(const TiXmlNode* document) {
    int deepest = 0;
    std::vector<std::pair<const TiXmlNode*, int>> open{{document, 0}};
    while (!open.empty()) {
        const auto [node, depth] = open.back();
        open.pop_back();
        if (node->ToElement()) deepest = std::max(deepest, depth);
        for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling())
            open.emplace_back(child, node->ToElement() ? depth + 1 : depth);
    }
    return deepest;
}

// Random markup around the refusal limit: whatever is accepted must not be nested deeper than it, even
// where comments, sections, declarations, quotes and text hide things that look like closing tags.
TEST_F(XmlCacheTest, AcceptedDocumentsNeverNestBeyondTheLimit) {
    const std::vector<std::string> lookalikes = {"<!-- </a> -->",
                                                 "<!--></a>-->",
                                                 "<![CDATA[</a>]]>",
                                                 "<b x='</a>'/>",
                                                 "<b x=\"></a>\"></b>",
                                                 "<?xml version='></a>'?>",
                                                 "<?xml encoding=\"</a>\"?>",
                                                 "/>",
                                                 "text",
                                                 "<!DOCTYPE x>",
                                                 "<b/>",
                                                 "\xEF\xBB\xBF",
                                                 "'\""};
    const int kLimit = 1000;
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    std::uniform_int_distribution<std::size_t> any(0, lookalikes.size() - 1);
    int accepted_deep = 0;
    for (int round = 0; round < 120; ++round) {
        std::string text = "<a>";
        const int steps = 2500 + 15 * round;
        for (int i = 0; i < steps; ++i) {
            const double r = share(random);
            text += r < 0.5 ? "<a>" : r < 0.7 ? "</a>" : lookalikes[any(random)];
        }
        const std::string name = "fuzz" + std::to_string(round) + ".xml";
        dir.Write(name, text);
        test::CaptureLog log;
        const core::ptr<TiXmlDocument> document = Get(name);
        ASSERT_TRUE(document);
        if (log.Contains("nested too deeply")) continue;
        const int depth = DocumentDepth(document.get());
        EXPECT_LE(depth, kLimit) << name;
        if (depth > kLimit / 2) ++accepted_deep;
    }
    // Some documents came close to the limit, so the bound was really put to the test.
    EXPECT_GT(accepted_deep, 0);
}

}  // namespace
