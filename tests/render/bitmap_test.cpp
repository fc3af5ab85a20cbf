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

void PutBigEndian(std::vector<std::uint8_t>& bytes, size_t at, std::uint32_t value, int length) {
    for (int i = 0; i < length; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (length - 1 - i)));
}

// A PNG whose header states another size than its rows hold: only the header is meant to be read.
std::vector<std::uint8_t> PngClaiming(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> png = test::EncodePng(1, 1, Gradient(1, 1));
    PutBigEndian(png, 16, width, 4);
    PutBigEndian(png, 20, height, 4);
    return png;
}

// A grey baseline JPEG of mid-grey blocks: one-code Huffman tables, two bits a block.
std::vector<std::uint8_t> GreyJpeg(std::uint16_t width, std::uint16_t height, unsigned int blocks) {
    std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F',
                                      0,    1,    1,    0,    0, 1,  0,   1,   0,   0};
    jpeg.insert(jpeg.end(), {0xFF, 0xDB, 0, 67, 0});
    jpeg.insert(jpeg.end(), 64, 1);
    const size_t frame = jpeg.size();
    jpeg.insert(jpeg.end(), {0xFF, 0xC0, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0});
    PutBigEndian(jpeg, frame + 5, height, 2);
    PutBigEndian(jpeg, frame + 7, width, 2);
    for (std::uint8_t table : {0x00, 0x10}) {
        jpeg.insert(jpeg.end(), {0xFF, 0xC4, 0, 20, table, 1});
        jpeg.insert(jpeg.end(), 16, 0);
    }
    jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0});
    jpeg.insert(jpeg.end(), blocks / 4, 0x00);
    if (blocks % 4) jpeg.push_back(static_cast<std::uint8_t>(0xFF >> (2 * (blocks % 4))));
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

TEST(Bitmap, PicturesOfMoreThan4096PixelsOnASideOrWithChunksPastTheEndOrNoEndChunkAreRefusedBeforeDecoding) {
    // A transparency chunk claiming 2 MB in a 78-byte file.
    std::vector<std::uint8_t> chunk_past_end = test::EncodePng(1, 1, Gradient(1, 1));
    chunk_past_end.resize(33);
    chunk_past_end.insert(chunk_past_end.end(), {0x00, 0x1E, 0x84, 0x80, 't', 'R', 'N', 'S'});
    chunk_past_end.resize(78, 0);
    // The last chunk complete, but no end chunk: the decoder would read its last bytes again for ever.
    std::vector<std::uint8_t> no_end = test::EncodePng(1, 1, Gradient(1, 1));
    no_end.resize(no_end.size() - 12);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        unsigned int width, height;  // framed; 0 when refused
    } cases[] = {
        {"png 4096 wide", test::EncodePng(4096, 1, Gradient(4096, 1)), 4098, 3},
        {"png 4097 wide", PngClaiming(4097, 1), 0, 0},
        {"png 16000 by 33000", PngClaiming(16000, 33000), 0, 0},
        {"png chunk past the end", chunk_past_end, 0, 0},
        {"png without its end chunk", no_end, 0, 0},
        {"png signature alone", std::vector<std::uint8_t>(chunk_past_end.begin(), chunk_past_end.begin() + 8),
         0, 0},
        {"png signature cut short",
         std::vector<std::uint8_t>(chunk_past_end.begin(), chunk_past_end.begin() + 6), 0, 0},
        {"jpeg 4096 high", GreyJpeg(8, 4096, 512), 10, 4098},
        {"jpeg 4097 high", GreyJpeg(8, 4097, 513), 0, 0},
        {"jpeg 16000 by 16000", GreyJpeg(16000, 16000, 1), 0, 0},
        {"jpeg 65535 by 65535", GreyJpeg(65535, 65535, 1), 0, 0},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(test::WriteFile(dir.File("picture"), c.bytes));
        core::ptr<io::IStream> stream = StreamOf(c.bytes, "picture");
        testing::internal::CaptureStderr();
        const render::Bitmap from_stream(stream);
        const render::Bitmap from_file(dir.File("picture").c_str());
        const std::string said = testing::internal::GetCapturedStderr();
        for (const render::Bitmap* bitmap : {&from_stream, &from_file}) {
            EXPECT_EQ(bitmap->valid, c.width > 0);
            EXPECT_EQ(bitmap->width, c.width);
            EXPECT_EQ(bitmap->height, c.height);
        }
        // The decoder never ran, so it said nothing.
        if (c.width == 0) {
            EXPECT_EQ(said, "broken img picture\nbroken img " + dir.File("picture") + "\n");
        }
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
