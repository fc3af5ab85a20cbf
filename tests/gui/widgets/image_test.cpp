#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gui_fixture.h"
#include "vantle/gui/style.h"
#include "vantle/gui/widgets/image.h"
#include "vantle/render/texture_cache.h"

namespace {

using math::Rect;
using render::Color;
using test::RecordingRender;

class ImageTest : public test::GuiTest {
protected:
    core::ptr<gui::Image> Make(const std::string& attributes, const std::string& children = "") {
        return core::ptr<gui::Image>(
            new gui::Image(Parse("<image " + attributes + ">" + children + "</image>")));
    }
};

TEST_F(ImageTest, AStyleGivesItsTileAndSizeOverTheImagesOwn) {
    const struct {
        std::string style;
        Rect rect;
        std::vector<Color> drawn;
    } cases[] = {
        {"", Rect(10, 20, 60, 50), {Color(1, 0, 0, 1)}},
        {"<tile color='00ff00'/><size x='30' y='40'/>", Rect(10, 20, 40, 60), {Color(0, 1, 0, 1)}},
        {"<size x='30' y='40'/>", Rect(10, 20, 40, 60), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const std::string style = c.style.empty() ? "" : "style='" + Style(c.style) + "' ";
        core::ptr<gui::Image> image = Make(style + "x='10' y='20' w='50' h='30' color='ff0000'");
        EXPECT_EQ(c.rect, image->GetRect());
        std::vector<Color> drawn;
        for (const auto& draw : DrawnBy(*image)) drawn.push_back(draw.color);
        EXPECT_EQ(c.drawn, drawn);
    }
}

TEST_F(ImageTest, ItDrawsWithItsFilteringAndLeavesTheRenderersModeAsItFoundIt) {
    const struct {
        const char* filtering;
        RecordingRender::FilteringMode before, during;
    } cases[] = {{"linear", RecordingRender::FILTER_POINT, RecordingRender::FILTER_LINEAR},
                 {"sharp", RecordingRender::FILTER_ANISOTROPIC, RecordingRender::FILTER_UNSET}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filtering);
        core::ptr<gui::Image> image = Make("w='5' h='5' filtering='" + std::string(c.filtering) + "'");
        renderer.SetFilteringMode(c.before);
        EXPECT_EQ(c.during, DrawnBy(*image).at(0).filtering);
        EXPECT_EQ(c.before, renderer.GetFilteringMode());
    }
}

TEST_F(ImageTest, ANewTextureKeepsOrResetsTheLookAndThePropertyReadsUnset) {
    WritePictures({"pic.png"});
    const core::ptr<render::ITexture> texture = render::TextureCache::instance()->Get("pic.png");
    const std::string style = Style("<tile color='00ff00'><rect left='0.5' right='1' bottom='1'/></tile>");
    const struct {
        const char* what;
        std::string style;
        bool by_property;
        Rect texture_rect;
        Color color;
    } cases[] = {
        {"property", style, true, Rect(0, 0, 1, 1), Color(1, 1, 1, 1)},
        {"texture", style, false, Rect(0.5f, 0, 1, 1), Color(0, 1, 0, 1)},
        {"texture without a tile", Style(""), false, Rect(0, 0, 1, 1), Color(1, 1, 1, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        core::ptr<gui::Image> image = Make("style='" + c.style + "'");
        if (c.by_property) image->SetProperty("texture", core::Value("pic.png"));
        if (!c.by_property) image->SetTexture(texture);
        ASSERT_TRUE(texture && image->GetTile());
        EXPECT_EQ(texture.get(), image->GetTile()->GetTexturePointer());
        EXPECT_EQ(c.texture_rect, image->GetTile()->rect);
        EXPECT_EQ(c.color, image->GetTile()->color);
        EXPECT_EQ(core::Value::UNSET, image->GetProperty("texture").get_type());
    }
    // The style's tile, shared by every window of the style, is left alone.
    EXPECT_EQ(nullptr, gui::StyleCache::instance()->Get(style)->tile->GetTexturePointer());
}

TEST_F(ImageTest, AtlasCellsSpreadOverTheWindowsSizeFromTheParentsOrigin) {
    dir.Write("grid.xml",
              "<atlas size_x='2' size_y='1'><tiles><tile x='0' y='0'/><tile x='1' y='0'/></tiles></atlas>");
    core::ptr<gui::Image> image = Make("atlas='grid.xml' x='100' y='50' w='200' h='100'");
    std::vector<Rect> drawn;
    for (const auto& draw : DrawnBy(*image)) drawn.push_back(draw.rect);
    EXPECT_EQ((std::vector<Rect>{Rect(0, 0, 100, 100), Rect(100, 0, 200, 100)}), drawn);
}

}  // namespace
