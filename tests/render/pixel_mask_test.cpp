#include "vantle/render/pixel_mask.h"

#include <gtest/gtest.h>

namespace {

// Three words a row, so that rectangles cross word boundaries and reach the last, partial word.
const unsigned int kSide = 130;

// A block across the first two words, one in the far corner, and a single pixel.
render::PixelMask MarkedMask() {
    render::PixelMask mask(kSide);
    mask.Set(60, 10, 70, 12, true);
    mask.Set(128, 0, 129, 1, true);
    mask.Set(5, 40, 5, 40, true);
    return mask;
}

TEST(PixelMask, FindsSetPixelsInRectanglesRowsAndColumns) {
    const render::PixelMask mask = MarkedMask();
    const struct {
        unsigned int left, top, right, bottom;
        bool any;
    } areas[] = {
        {0, 0, kSide - 1, kSide - 1, true},   {70, 12, 70, 12, true},
        {71, 0, 127, kSide - 1, false},       {60, 13, 70, 39, false},
        {0, 41, kSide - 1, kSide - 1, false},
    };
    for (const auto& a : areas) {
        SCOPED_TRACE(testing::Message() << a.left << "," << a.top << " to " << a.right << "," << a.bottom);
        EXPECT_EQ(mask.AnyIn(a.left, a.top, a.right, a.bottom), a.any);
    }

    const struct {
        unsigned int row, left, right;
        int found;
    } above[] = {{20, 65, 66, 12}, {12, 60, 70, 11}, {10, 60, 70, -1}, {5, 100, 129, 1}, {50, 0, 10, 40}};
    for (const auto& a : above) {
        SCOPED_TRACE(testing::Message()
                     << "above row " << a.row << ", columns " << a.left << " to " << a.right);
        EXPECT_EQ(mask.LastRowAbove(a.row, a.left, a.right), a.found);
    }

    const struct {
        unsigned int column, top, bottom;
        int found;
    } before[] = {{128, 0, 0, -1}, {100, 10, 10, 70}, {65, 11, 40, 64},
                  {6, 40, 40, 5},  {5, 40, 40, -1},   {0, 0, 129, -1}};
    for (const auto& b : before) {
        SCOPED_TRACE(testing::Message()
                     << "before column " << b.column << ", rows " << b.top << " to " << b.bottom);
        EXPECT_EQ(mask.LastColumnBefore(b.column, b.top, b.bottom), b.found);
    }

    EXPECT_EQ(mask.WordsPerRow(), 3u);
    EXPECT_EQ(mask.RowsWord(10, 12, 1), 0x7Fu);
    EXPECT_EQ(mask.RowsWord(0, 1, 2), 0x3u);
    EXPECT_EQ(mask.RowsWord(13, kSide - 1, 1), 0u);
}

TEST(PixelMask, ClearingARectangleLeavesItsNeighbours) {
    render::PixelMask mask = MarkedMask();
    mask.Set(60, 13, 70, 13, true);
    mask.Set(60, 10, 70, 12, false);
    EXPECT_FALSE(mask.AnyIn(60, 10, 70, 12));
    EXPECT_TRUE(mask.AnyIn(60, 13, 70, 13));
    EXPECT_TRUE(mask.AnyIn(128, 0, 129, 1));
}

}  // namespace
