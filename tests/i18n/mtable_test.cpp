#include <gtest/gtest.h>

#include <string>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/i18n/mtable.h"

namespace {

class MessageTableTest : public ::testing::Test {
protected:
    MessageTableTest() : _cwd(dir.Path()) {}

    test::TempDir dir;
    i18n::MessageTable table;

private:
    test::WorkingDirectory _cwd;
};

TEST_F(MessageTableTest, ReadsMessagesFontsAndTextures) {
    dir.Write("data/i18n/en.xml",
              "<?xml version=\"1.0\"?>\r\n"
              "<localization>\r\n"
              "  <messages>\r\n"
              "    <m key=\"hello\" msg=\"Hello\"/>\r\n"
              "    <m key=\"dup\" msg=\"first\"/>\r\n"
              "    <m key=\"dup\" msg=\"second\"/>\r\n"
              "    <m key=\"nomsg\"/>\r\n"
              "    <m msg=\"nokey\"/>\r\n"
              "  </messages>\r\n"
              "  <other><m key=\"ignored\" msg=\"x\"/></other>\r\n"
              "  <messages><anything key=\"dup\" msg=\"third\"/></messages>\r\n"
              "  <fonts><f key=\"main\" name=\"fonts/main_en.fnt\"/></fonts>\r\n"
              "  <textures><t key=\"logo.png\" name=\"gfx/logo_en.png\"/></textures>\r\n"
              "</localization>\r\n");
    test::CaptureLog log;
    table.Load("data/i18n/en.xml");
    EXPECT_TRUE(log.Contains("localization successfully loaded"));

    EXPECT_EQ(table.GetMsg("hello"), "Hello");
    EXPECT_EQ(table.GetMsg("  hello "), "Hello");
    EXPECT_EQ(table.GetMsg("dup"), "third");
    EXPECT_EQ(table.GetMsg("nomsg"), "nomsg");
    EXPECT_EQ(table.GetMsg("ignored"), "ignored");
    EXPECT_EQ(table.GetMsg(" unknown  "), " unknown  ");
    EXPECT_EQ(table.GetFontName("main"), "fonts/main_en.fnt");
    EXPECT_EQ(table.GetFontName("other"), "other");
    EXPECT_EQ(table.GetTextureName("logo.png"), "gfx/logo_en.png");
}

TEST_F(MessageTableTest, SecondLanguageReplacesMessagesOnly) {
    dir.Write("en.xml",
              "<localization><messages><m key=\"a\" msg=\"A\"/><m key=\"b\" msg=\"B\"/></messages>"
              "<fonts><f key=\"main\" name=\"en.fnt\"/><f key=\"small\" name=\"en_small.fnt\"/></fonts>"
              "</localization>");
    dir.Write("de.xml",
              "<localization><messages><m key=\"a\" msg=\"Ä\"/></messages>"
              "<fonts><f key=\"main\" name=\"de.fnt\"/></fonts></localization>");
    table.Load("en.xml");
    table.Load("de.xml");
    EXPECT_EQ(table.GetMsg("a"), "Ä");
    EXPECT_EQ(table.GetMsg("b"), "b");
    EXPECT_EQ(table.GetFontName("main"), "de.fnt");
    EXPECT_EQ(table.GetFontName("small"), "en_small.fnt");
}

TEST_F(MessageTableTest, BrokenFilesLeaveNoMessages) {
    struct Case {
        const char* file;
        const char* text;  // null: no such file
        const char* logged;
    };
    const Case cases[] = {
        {"wrong_root.xml", "<messages><m key=\"a\" msg=\"A\"/></messages>", nullptr},
        {"missing.xml", nullptr, "Can't load missing.xml"},
        {"parse_error.xml", "<localization><messages><m key=\"a\" msg=\"A\"></localization>",
         "Error loading gui: parse_error.xml : "},
        {"empty.xml", "", "Error loading gui: empty.xml : "},
    };
    dir.Write("good.xml", "<localization><messages><m key=\"a\" msg=\"A\"/></messages></localization>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        table.Load("good.xml");
        ASSERT_EQ(table.GetMsg("a"), "A");
        if (c.text) dir.Write(c.file, c.text);
        test::CaptureLog log;
        table.Load(c.file);
        EXPECT_EQ(table.GetMsg("a"), "a");
        EXPECT_FALSE(log.Contains("localization successfully loaded"));
        if (c.logged) {
            EXPECT_TRUE(log.Contains(c.logged));
            EXPECT_EQ(log.Lines().size(), 2u);
        } else {
            EXPECT_EQ(log.Lines().size(), 1u);  // the loader's own line
        }
    }
}

}  // namespace
