#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/memory_page.h"
#include "support/recording_render.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/proxy_texture.h"
#include "vantle/render/texture_pages.h"

namespace {

using Block = render::BaseTexture::Block;

void ExpectRect(const math::Rect& r, float left, float top, float right, float bottom) {
    EXPECT_FLOAT_EQ(r.left, left);
    EXPECT_FLOAT_EQ(r.top, top);
    EXPECT_FLOAT_EQ(r.right, right);
    EXPECT_FLOAT_EQ(r.bottom, bottom);
}

TEST(TexturePage, PlacesBlocksFirstFitWithAGapBetweenThem) {
    test::MemoryPage page;
    const struct {
        unsigned int w, h;
        float left, top, right, bottom;
    } requests[] = {
        {100, 50, 0, 0, 100, 50},    // the start position
        {100, 50, 101, 0, 201, 50},  // scan finds x = 104, the slide stops one pixel after the first
        {900, 10, 0, 51, 900, 61},   // no room on row 0: the next row, slid up to touch nothing
        {20, 20, 202, 0, 222, 20},
    };
    for (const auto& r : requests) {
        Block* block = page.alloc_block(r.w, r.h);
        ASSERT_NE(block, nullptr);
        ExpectRect(block->rect, r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(block->count, 0);
    }
    EXPECT_EQ(page.GetBlocks().size(), 4u);
}

TEST(TexturePage, RefusesTooLargeRequestsAndRemembersFailures) {
    test::MemoryPage page;
    EXPECT_EQ(page.alloc_block(1025, 1), nullptr);
    EXPECT_EQ(page.alloc_block(1, 1025), nullptr);
    EXPECT_TRUE(page.GetBlocks().empty());

    ASSERT_NE(page.alloc_block(500, 500), nullptr);
    EXPECT_EQ(page.alloc_block(600, 600), nullptr);
    EXPECT_EQ(page.alloc_block(600, 700), nullptr);
    EXPECT_EQ(page.alloc_block(700, 600), nullptr);
    // Smaller in one direction: tried again, and it fits beside the first block.
    Block* tall = page.alloc_block(500, 900);
    ASSERT_NE(tall, nullptr);
    ExpectRect(tall->rect, 501, 0, 1001, 900);
    EXPECT_NE(page.alloc_block(1024, 100), nullptr);
}

TEST(TexturePage, ClearingUnusedBlocksKeepsHeldOnes) {
    test::MemoryPage page;
    Block* held = page.alloc_block(10, 10);
    page.alloc_block(10, 10);
    held->count = 1;
    page.clear_unused_blocks();
    ASSERT_EQ(page.GetBlocks().size(), 1u);
    EXPECT_EQ(page.GetBlocks()[0], held);
    // The freed place is found again.
    ExpectRect(page.alloc_block(10, 10)->rect, 11, 0, 21, 10);
}

// The placement as first written: every scan position tested against every block, slides a pixel at a
// time. The page must place exactly as this does.
class ScanEveryPosition {
public:
    explicit ScanEveryPosition(unsigned int side) : _side(side), _failed_width(side), _failed_height(side) {}

    bool Alloc(unsigned int width, unsigned int height, math::Rect& placed) {
        if (width > _side || height > _side) return false;
        if (width > _failed_width && height > _failed_height) return false;
        for (unsigned int y = 0; y + height <= _side; y += 16) {
            for (unsigned int x = 0; x + width <= _side; x += 8) {
                math::Rect rect(x, y, x + width, y + height);
                if (Collides(rect)) continue;
                while (rect.top > 0 &&
                       !Collides(math::Rect(rect.left, rect.top - 1, rect.right, rect.bottom - 1)))
                    rect = math::Rect(rect.left, rect.top - 1, rect.right, rect.bottom - 1);
                while (rect.left > 0 &&
                       !Collides(math::Rect(rect.left - 1, rect.top, rect.right - 1, rect.bottom)))
                    rect = math::Rect(rect.left - 1, rect.top, rect.right - 1, rect.bottom);
                rects.push_back(rect);
                placed = rect;
                return true;
            }
        }
        _failed_width = width - 1;
        _failed_height = height - 1;
        return false;
    }

    std::vector<math::Rect> rects;

private:
    bool Collides(const math::Rect& a) const {
        for (const math::Rect& b : rects) {
            if (a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom) return true;
        }
        return false;
    }

    unsigned int _side;
    unsigned int _failed_width;
    unsigned int _failed_height;
};

// Rounds of mixed requests, some freed between rounds, until the page refuses them.
TEST(TexturePage, PlacesExactlyWhereAScanOfEveryPositionWould) {
    const struct {
        unsigned int side;
        unsigned int smallest;
        unsigned int largest;
    } pages[] = {{1024, 1, 40}, {1024, 4, 36}, {1024, 4, 300}, {256, 1, 70}, {100, 7, 100}, {64, 0, 12}};
    unsigned int seed = 7;
    auto next = [&seed](unsigned int low, unsigned int high) {
        seed = seed * 1103515245u + 12345u;
        return low + (seed >> 16) % (high - low + 1);
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(testing::Message()
                     << "page " << p.side << ", sizes " << p.smallest << " to " << p.largest);
        test::MemoryPage page(p.side);
        ScanEveryPosition reference(p.side);
        for (int round = 0; round < 4; ++round) {
            for (int request = 0; request < 200; ++request) {
                const unsigned int w = next(p.smallest, p.largest);
                const unsigned int h = next(p.smallest, p.largest);
                math::Rect expected;
                const bool fits = reference.Alloc(w, h, expected);
                Block* block = page.alloc_block(w, h);
                ASSERT_EQ(block != nullptr, fits) << "round " << round << ", request " << request;
                if (block) {
                    ASSERT_EQ(block->rect, expected) << "round " << round << ", request " << request;
                }
            }
            // Free every third block of this round's page.
            std::vector<math::Rect> kept;
            for (std::size_t i = 0; i < page.GetBlocks().size(); ++i) {
                page.GetBlocks()[i]->count = i % 3 == 1 ? 0 : 1;
                if (i % 3 != 1) kept.push_back(reference.rects[i]);
            }
            page.clear_unused_blocks();
            reference.rects = kept;
        }
    }
}

TEST(ProxyTexture, MapsItsCoordinatesInsideTheBorder) {
    test::MemoryPage page;
    Block* block = page.alloc_block(34, 18);
    render::ProxyTexture texture(&page, block);
    const struct {
        float x, y, u, v;
    } cases[] = {{0, 0, 1 / 1024.0f, 1 / 1024.0f},
                 {1, 1, 33 / 1024.0f, 17 / 1024.0f},
                 {0.5f, 0.5f, 17 / 1024.0f, 9 / 1024.0f}};
    for (const auto& c : cases) {
        const math::Vector2 p = texture.get_abs_coord(math::Vector2(c.x, c.y));
        EXPECT_FLOAT_EQ(p.x, c.u);
        EXPECT_FLOAT_EQ(p.y, c.v);
    }
    ExpectRect(texture.get_abs_trect(math::Rect(0, 0, 1, 1)), 1 / 1024.0f, 1 / 1024.0f, 33 / 1024.0f,
               17 / 1024.0f);
    // The whole image, kept from construction, and the same asked with negative zeros.
    EXPECT_EQ(texture.GetWholeRect(), texture.get_abs_trect(math::Rect(0, 0, 1, 1)));
    EXPECT_EQ(texture.get_abs_trect(math::Rect(-0.0f, -0.0f, 1, 1)), texture.GetWholeRect());
    EXPECT_FLOAT_EQ(texture.GetScaleX(), 1.0f);
    EXPECT_EQ(texture.GetWidth(), 0u);
    EXPECT_EQ(texture.Get(0, 0), 0u);
}

TEST(ProxyTexture, LastTextureOfABlockFreesIt) {
    test::MemoryPage page;
    Block* block = page.alloc_block(8, 8);
    auto first = std::make_unique<render::ProxyTexture>(&page, block);
    auto second = std::make_unique<render::ProxyTexture>(&page, block);
    EXPECT_EQ(block->count, 2);
    first.reset();
    EXPECT_EQ(page.GetBlocks().size(), 1u);
    second.reset();
    EXPECT_TRUE(page.Empty());
}

TEST(ProxyTexture, OutlivesItsRendererSafely) {
    std::unique_ptr<render::ITexture> kept;
    std::unique_ptr<render::ITexture> released;
    {
        test::RecordingRender renderer;
        render::Bitmap bitmap(6, 6);
        kept.reset(renderer.LoadTexture(bitmap));
        released.reset(renderer.LoadTexture(bitmap));
        ASSERT_TRUE(kept && released);
        released.reset();
    }
    // The page went to its remaining texture, which still maps and frees it (checked by the sanitizers).
    const math::Vector2 p = kept->get_abs_coord(math::Vector2(0, 0));
    EXPECT_FLOAT_EQ(p.x, 1 / 1024.0f);
    kept.reset();
}

TEST(TexturePages, RemovingEmptyPagesCountsDownAndKeepsTheOthersInOrder) {
    render::TexturePages<test::MemoryPage> pages(1024);
    std::vector<std::unique_ptr<render::ITexture>> textures;
    for (int i = 0; i < 4; ++i) textures.emplace_back(pages.Place(render::Bitmap(1000, 1000)));
    ASSERT_EQ(pages.Get().size(), 4u);
    const std::vector<test::MemoryPage*> held = {pages.Get()[1], pages.Get()[3]};
    // Not even a new page holds it; that page stays until the next removal.
    EXPECT_EQ(pages.Place(render::Bitmap(1025, 1)), nullptr);
    EXPECT_EQ(pages.Get().size(), 5u);

    textures[0].reset();
    textures[2].reset();
    std::vector<std::size_t> listed;
    pages.RemoveEmpty([&](std::size_t left) { listed.push_back(left); });
    EXPECT_EQ(listed, (std::vector<std::size_t>{4, 3, 2}));
    EXPECT_EQ(pages.Get(), held);
}

TEST(RecordingRender, PlacesBitmapsOnPagesAndClearsEmptyPages) {
    test::RecordingRender renderer;
    render::Bitmap small(4, 4);
    small.fill(render::Color(0, 1, 0, 1));
    std::unique_ptr<render::ITexture> a(renderer.LoadTexture(small));
    std::unique_ptr<render::ITexture> big(renderer.LoadTexture(render::Bitmap(1020, 1020)));
    ASSERT_TRUE(a && big);
    EXPECT_EQ(renderer.Pages().size(), 2u);
    EXPECT_EQ(renderer.Pages()[0]->Pixel(3, 3), render::Bitmap::Pack(0, 255, 0, 255));
    EXPECT_EQ(renderer.LoadTexture(render::Bitmap(1025, 4)), nullptr);
    EXPECT_EQ(renderer.Pages().size(), 2u);
    big.reset();
    renderer.ClearTextures();
    EXPECT_EQ(renderer.Pages().size(), 1u);
}

}  // namespace
