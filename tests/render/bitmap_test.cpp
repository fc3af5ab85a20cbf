#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/io/stream.h"
#include "vantle/render/bitmap.h"

namespace {

// Serves bytes from memory; may claim a size larger than what it delivers.
class BytesStream : public io::IStream {
public:
    BytesStream(std::vector<std::uint8_t> bytes, std::string name, unsigned int claimed_size,
                bool opened = true)
        : _bytes(std::move(bytes)), _name(std::move(name)), _claimed(claimed_size), _opened(opened) {}

    bool IsOpened() const override { return _opened; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return false; }
    unsigned int Size() const override { return _claimed; }
    bool Eof() const override { return _position >= _bytes.size(); }
    unsigned int Seek(unsigned int position) override {
        _position = position < _bytes.size() ? position : static_cast<unsigned int>(_bytes.size());
        return _position;
    }
    unsigned int GetPosition() const override { return _position; }
    unsigned long Read(void* buffer, unsigned long count) override {
        const unsigned long left = _bytes.size() - _position;
        const unsigned long n = count < left ? count : left;
        std::memcpy(buffer, _bytes.data() + _position, n);
        _position += static_cast<unsigned int>(n);
        return n;
    }
    void Write(const void*, unsigned long) override {}
    std::string GetFilename() const override { return _name; }

private:
    std::vector<std::uint8_t> _bytes;
    std::string _name;
    unsigned int _claimed;
    bool _opened;
    unsigned int _position = 0;
};

core::ptr<io::IStream> StreamOf(const std::vector<std::uint8_t>& bytes, const std::string& name = "image") {
    return core::ptr<io::IStream>(new BytesStream(bytes, name, static_cast<unsigned int>(bytes.size())));
}

// A picture whose every pixel tells its position: red = x, green = y, blue 7, alpha 200.
std::vector<std::uint8_t> Gradient(unsigned int width, unsigned int height) {
    std::vector<std::uint8_t> rgba;
    for (unsigned int y = 0; y < height; ++y) {
        for (unsigned int x = 0; x < width; ++x) {
            // Byte by byte: inserting a brace list here makes GCC 12 at -O3 warn of an overflow.
            rgba.push_back(static_cast<std::uint8_t>(x));
            rgba.push_back(static_cast<std::uint8_t>(y));
            rgba.push_back(7);
            rgba.push_back(200);
        }
    }
    return rgba;
}

std::vector<std::uint8_t> BytesOf(std::uint32_t pixel) {
    std::vector<std::uint8_t> bytes(4);
    std::memcpy(bytes.data(), &pixel, 4);
    return bytes;
}

TEST(Bitmap, DecodesPngWithATransparentFrame) {
    core::ptr<io::IStream> stream = StreamOf(test::EncodePng(10, 20, Gradient(10, 20)));
    render::Bitmap bitmap(stream);
    ASSERT_TRUE(bitmap.valid);
    EXPECT_EQ(bitmap.width, 12u);
    EXPECT_EQ(bitmap.height, 22u);
    for (unsigned int x = 0; x < 12; ++x) {
        EXPECT_EQ(bitmap.Pixel(x, 0), 0u);
        EXPECT_EQ(bitmap.Pixel(x, 21), 0u);
    }
    for (unsigned int y = 0; y < 22; ++y) {
        EXPECT_EQ(bitmap.Pixel(0, y), 0u);
        EXPECT_EQ(bitmap.Pixel(11, y), 0u);
    }
    EXPECT_EQ(BytesOf(bitmap.Pixel(1, 1)), (std::vector<std::uint8_t>{0, 0, 7, 200}));
    EXPECT_EQ(BytesOf(bitmap.Pixel(10, 20)), (std::vector<std::uint8_t>{9, 19, 7, 200}));
}

TEST(Bitmap, DecodesOnlyTheBytesTheStreamDelivered) {
    const std::vector<std::uint8_t> png = test::EncodePng(2, 2, Gradient(2, 2));
    core::ptr<io::IStream> longer(
        new BytesStream(png, "claims more", static_cast<unsigned int>(png.size()) + 64));
    EXPECT_TRUE(render::Bitmap(longer).valid);

    // Three bytes of a signature, the fourth only claimed: not an image.
    core::ptr<io::IStream> cut(new BytesStream({0x89, 'P', 'N'}, "cut", 4));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(render::Bitmap(cut).valid);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "not png or jpg image\n");
}

TEST(Bitmap, RejectsWhatIsNoImageOrDoesNotDecode) {
    std::vector<std::uint8_t> exif = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10, 'E', 'x',
                                      'i',  'f',  0,    0,    0,    0,    0,   0};
    std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    std::vector<std::uint8_t> bmp = {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0};
    std::vector<std::uint8_t> png = test::EncodePng(8, 8, Gradient(8, 8));
    std::vector<std::uint8_t> truncated(png.begin(), png.begin() + 40);
    std::vector<std::uint8_t> jfif_junk = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 2};
    const struct {
        std::vector<std::uint8_t> bytes;
        std::string message;
    } cases[] = {
        {exif, "not png or jpg image\n"},          {gif, "not png or jpg image\n"},
        {bmp, "not png or jpg image\n"},           {{}, "not png or jpg image\n"},
        {truncated, "broken img truncated.png\n"}, {jfif_junk, "broken img truncated.png\n"},
    };
    for (const auto& c : cases) {
        core::ptr<io::IStream> stream = StreamOf(c.bytes, "truncated.png");
        testing::internal::CaptureStderr();
        render::Bitmap bitmap(stream);
        // The decoder may say more before our line.
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_GE(said.size(), c.message.size()) << said;
        EXPECT_EQ(said.substr(said.size() - c.message.size()), c.message);
        EXPECT_FALSE(bitmap.valid);
        EXPECT_TRUE(bitmap.pixels.empty());
    }
}

TEST(Bitmap, EmptyOrClosedStreamIsInvalidWithoutMessage) {
    core::ptr<io::IStream> none;
    core::ptr<io::IStream> closed(
        new BytesStream(test::EncodePng(1, 1, Gradient(1, 1)), "closed", 60, false));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(render::Bitmap(none).valid);
    EXPECT_FALSE(render::Bitmap(closed).valid);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Bitmap, DecodesAFileByPath) {
    test::TempDir dir;
    ASSERT_TRUE(test::WriteFile(dir.File("a.png"), test::EncodePng(3, 4, Gradient(3, 4))));
    render::Bitmap bitmap(dir.File("a.png").c_str());
    ASSERT_TRUE(bitmap.valid);
    EXPECT_EQ(bitmap.width, 5u);
    EXPECT_EQ(bitmap.height, 6u);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(render::Bitmap(dir.File("missing.png").c_str()).valid);
    testing::internal::GetCapturedStderr();
}

TEST(Bitmap, FillTruncatesComponentsToBytes) {
    render::Bitmap bitmap(3, 2);
    EXPECT_TRUE(bitmap.valid);
    EXPECT_EQ(bitmap.pixels, std::vector<std::uint32_t>(6, 0u));
    bitmap.fill(render::Color(1, 0, 0, 0.5f));
    for (std::uint32_t pixel : bitmap.pixels)
        EXPECT_EQ(BytesOf(pixel), (std::vector<std::uint8_t>{255, 0, 0, 127}));
}

TEST(Bitmap, InsertClipsToTheTarget) {
    render::Bitmap source(4, 4);
    for (unsigned int y = 0; y < 4; ++y) {
        for (unsigned int x = 0; x < 4; ++x) source.pixels[y * 4 + x] = 10 * y + x + 1;
    }
    const struct {
        int x, y;
        unsigned int w, h;
        std::vector<std::uint32_t> expected;  // the 3 x 3 target after the insert
    } cases[] = {
        {-2, -2, 4, 4, {23, 24, 0, 33, 34, 0, 0, 0, 0}}, {0, 0, 4, 4, {1, 2, 3, 11, 12, 13, 21, 22, 23}},
        {2, 1, 4, 4, {0, 0, 0, 0, 0, 1, 0, 0, 11}},      {-4, 0, 4, 4, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {3, 3, 4, 4, {0, 0, 0, 0, 0, 0, 0, 0, 0}},       {1, 1, 1, 1, {0, 0, 0, 0, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        render::Bitmap target(3, 3);
        target.insert(source, c.x, c.y, 0, 0, c.w, c.h);
        EXPECT_EQ(target.pixels, c.expected) << c.x << "," << c.y;
    }
}

TEST(Bitmap, InsertReadsNothingBeyondTheSource) {
    render::Bitmap source(2, 2);
    source.pixels = {1, 2, 11, 12};
    const struct {
        unsigned int sx, sy, w, h;
        std::vector<std::uint32_t> expected;  // the 3 x 3 target after inserting at (0, 0)
    } cases[] = {
        {0, 0, 3, 3, {1, 2, 0, 11, 12, 0, 0, 0, 0}},
        {1, 1, 3, 3, {12, 0, 0, 0, 0, 0, 0, 0, 0}},
        {2, 0, 3, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0, 5, 1, 1, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, {1, 2, 0, 11, 12, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        render::Bitmap target(3, 3);
        target.insert(source, 0, 0, c.sx, c.sy, c.w, c.h);
        EXPECT_EQ(target.pixels, c.expected) << c.sx << "," << c.sy;
    }
}

TEST(Bitmap, FillClampsComponentsOutsideTheRange) {
    const struct {
        render::Color color;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {render::Color(2, -1, 1e30f, -1e30f), {255, 0, 255, 0}},
        {render::Color(std::nanf(""), 0.5f, 1, 0), {0, 127, 255, 0}},
    };
    for (const auto& c : cases) {
        render::Bitmap bitmap(1, 1);
        bitmap.fill(c.color);
        EXPECT_EQ(BytesOf(bitmap.pixels[0]), c.bytes);
    }
}

}  // namespace
