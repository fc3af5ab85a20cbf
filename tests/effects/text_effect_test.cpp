#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <string>
#include <vector>

#include "support/png_writer.h"
#include "support/probe_effect.h"
#include "support/recording_render.h"
#include "support/temp_dir.h"
#include "vantle/effects/effects/text_effect.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"

namespace {

// A font of two glyphs, "A" 10 pixels wide and "B" 6 pixels wide, both 12 high, on a 64 x 64 image.
const char kFont[] =
    "<font filename='glyphs.png' size='64'>"
    "<char id='65' x='0' y='0' w='10' h='12' xadvance='10'/>"
    "<char id='66' x='10' y='0' w='6' h='12' xadvance='6'/>"
    "</font>";

class TextEffectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new test::TempDir;
        dir->Write("font.xml", kFont);
        test::WriteFile(dir->File("glyphs.png"),
                        test::EncodePng(64, 64, std::vector<std::uint8_t>(64 * 64 * 4, 0xff)));
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(dir->Path() + "/")));
        TiXmlDocument messages;
        messages.Parse("<messages><m key='greeting' msg='BAB'/><m key='blank' msg=''/></messages>");
        i18n::MessageTable::instance()->LoadMsgMap(messages.RootElement());
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }

    void SetUp() override { render::Render::instance()->SetImplementation(&renderer); }
    void TearDown() override { render::Render::instance()->SetImplementation(nullptr); }

    std::unique_ptr<effects::TextEffect> Make(const std::string& xml) {
        TiXmlDocument document;
        document.Parse(xml.c_str());
        EXPECT_FALSE(document.Error()) << xml;
        return std::unique_ptr<effects::TextEffect>(
            static_cast<effects::TextEffect*>(effects::TextEffectCreate(document.RootElement())));
    }

    // The glyphs drawn (six vertices each) and where the text's origin went.
    struct Drawn {
        unsigned int glyphs;
        math::Vector2 origin;
    };
    Drawn Draw(effects::Effect& effect) {
        renderer.ClearRecord();
        effect.Render();
        EXPECT_EQ(renderer.GetWorldMatrix(), math::Matrix4::IDENTITY);
        if (renderer.Draws().size() != 1) return Drawn{0, math::Vector2()};
        const auto& draw = renderer.Draws()[0];
        EXPECT_EQ(draw.kind, test::RecordingRender::VERTICES);
        return Drawn{draw.count / 6, draw.world * math::Vector2(0, 0)};
    }

    static test::TempDir* dir;
    test::RecordingRender renderer;
};

test::TempDir* TextEffectTest::dir = nullptr;

TEST_F(TextEffectTest, AlignmentPlacesTheLineAroundThePosition) {
    const struct {
        const char* align;
        float x;
    } cases[] = {{"align='left'", 400},
                 {"align='right'", 384},
                 {"align='center'", 392},
                 {"align='middle'", 392},
                 {"", 392}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        auto text = Make(std::string("<text x='400' y='300' font='font.xml' text='AB' ") + c.align + "/>");
        ASSERT_TRUE(text->GetRenderedText());
        EXPECT_FLOAT_EQ(text->GetRenderedText()->size.x, 16.0f);
        const Drawn drawn = Draw(*text);
        EXPECT_EQ(drawn.glyphs, 2u);
        EXPECT_FLOAT_EQ(drawn.origin.x, c.x);
        EXPECT_FLOAT_EQ(drawn.origin.y, 300.0f);
    }
}

TEST_F(TextEffectTest, ShowsTheLocalisedMessageOfItsKey) {
    const struct {
        const char* xml;
        unsigned int glyphs;
    } cases[] = {
        {"<text font='font.xml' text='greeting'/>", 3},          // "BAB"
        {"<text font='font.xml'>greeting</text>", 3},            // the content is the key
        {"<text font='font.xml' text='AB'>greeting</text>", 2},  // the attribute wins
        {"<text font='font.xml' text='unknown'/>", 7},           // shown as written
        {"<text font='font.xml' text='blank'/>", 0},             // an empty message draws nothing
        {"<text font='font.xml'/>", 0},
        {"<text text='greeting'/>", 0},                    // no font
        {"<text font='glyphs.png' text='greeting'/>", 0},  // no font description
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        auto text = Make(c.xml);
        EXPECT_EQ(Draw(*text).glyphs, c.glyphs);
    }
}

TEST_F(TextEffectTest, ColourAndSizeOfTheLayout) {
    auto black = Make("<text font='font.xml' text='A'/>");
    auto red = Make("<text font='font.xml' text='A' color='ff000080' size='40'/>");
    ASSERT_TRUE(black->GetRenderedText() && red->GetRenderedText());
    auto* black_vertices = static_cast<render::VertexBufferOGL*>(black->GetRenderedText()->vertices);
    auto* red_vertices = static_cast<render::VertexBufferOGL*>(red->GetRenderedText()->vertices);
    EXPECT_EQ(black_vertices->GetColor(0), render::Color(0, 0, 0, 0));
    EXPECT_NEAR(red_vertices->GetColor(0).a, 128.0f / 255.0f, 0.01f);
    EXPECT_EQ(red_vertices->GetColor(0).r, 1.0f);
    EXPECT_EQ(red->GetRenderedText()->size.x, black->GetRenderedText()->size.x);
    EXPECT_EQ(red->GetRenderedText()->size.y, black->GetRenderedText()->size.y);
}

TEST_F(TextEffectTest, ClonesShowTheirOwnTextAsGiven) {
    auto prototype = Make("<text x='10' y='20' font='font.xml' text='greeting' align='left'/>");
    const struct {
        const char* text;
        unsigned int glyphs;
    } cases[] = {{"", 3}, {"AB", 2}, {"greeting", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<effects::Effect> copy(prototype->Clone(c.text));
        const Drawn drawn = Draw(*copy);
        EXPECT_EQ(drawn.glyphs, c.glyphs);
        EXPECT_FLOAT_EQ(drawn.origin.x, 10.0f);
    }
    std::unique_ptr<effects::Effect> plain(prototype->Clone());
    EXPECT_EQ(static_cast<effects::TextEffect*>(plain.get())->GetRenderedText().get(),
              prototype->GetRenderedText().get());
}

TEST_F(TextEffectTest, PlaysUntilStopped) {
    auto text = Make("<text font='font.xml' text='AB'/>");
    EXPECT_FALSE(text->IsPlaying());
    text->Start(false);
    text->Update(100000);
    text->Update();
    EXPECT_TRUE(text->IsPlaying());
    text->Stop();
    EXPECT_FALSE(text->IsPlaying());
}

TEST_F(TextEffectTest, CopiesRunTheirOwnChildren) {
    auto prototype = Make("<text x='10' y='20' font='font.xml' text='AB'/>");
    prototype->AddChild(new test::ProbeEffect("child"));
    const core::ptr<effects::Effect> original = prototype->GetChilds()[0];
    const struct {
        bool with_text;
        const char* text;
    } cases[] = {{false, ""}, {true, "BA"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        test::ProbeEffect::Journal().clear();
        {
            std::unique_ptr<effects::Effect> copy(c.with_text ? prototype->Clone(c.text)
                                                              : prototype->Clone());
            ASSERT_EQ(copy->GetChilds().size(), 1u);
            auto* child = dynamic_cast<test::ProbeEffect*>(copy->GetChilds()[0].get());
            ASSERT_NE(child, nullptr);
            EXPECT_NE(child, original.get());
            EXPECT_EQ(child->GetParent(), copy.get());
            EXPECT_EQ(child->GetText(), c.text);
            copy->MoveTo(math::Vector2(300, 400));
            copy->Start(false);
            EXPECT_TRUE(child->IsRunning());
            EXPECT_EQ(child->GetPos(), math::Vector2(300, 400));
        }
        // The prototype's child was neither started nor moved, and is still the prototype's.
        EXPECT_EQ(test::ProbeEffect::Journal(), std::vector<std::string>{"start child"});
        EXPECT_FALSE(original->IsRunning());
        EXPECT_EQ(original->GetPos(), math::Vector2(0, 0));
        EXPECT_EQ(original->GetParent(), prototype.get());
        ASSERT_EQ(prototype->GetChilds().size(), 1u);
    }
}

TEST_F(TextEffectTest, DrawsOnTheRendererInstalledWhenDrawing) {
    auto first = std::make_unique<test::RecordingRender>();
    render::Render::instance()->SetImplementation(first.get());
    auto text = Make("<text font='font.xml' text='AB'/>");
    std::unique_ptr<effects::Effect> copy(text->Clone());
    first.reset();
    render::Render::instance()->SetImplementation(&renderer);
    EXPECT_EQ(Draw(*text).glyphs, 2u);
    EXPECT_EQ(Draw(*copy).glyphs, 2u);
}

}  // namespace
