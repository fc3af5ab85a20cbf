#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/render/color.h"

struct SDL_Surface;

namespace io {
class IStream;
}

namespace render {

// 32-bit pixels in memory, bytes red, green, blue, alpha (not premultiplied), rows top to bottom without
// gaps. Images decoded from files get a one-pixel transparent frame on every side. Readers check valid
// before anything else.
class Bitmap {
public:
    // Decodes a PNG or JPEG from the stream's current position to its end; invalid when it cannot, and
    // when the picture is more than 4096 pixels wide or high.
    explicit Bitmap(core::ptr<io::IStream>& stream);
    // The same for a file of the local file system, without the loader.
    explicit Bitmap(const char* path);
    // width x height transparent black pixels, no frame added.
    Bitmap(unsigned int width, unsigned int height);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Every pixel set to the colour, each component scaled to 0..255 and truncated.
    void fill(Color color);
    // Copies the w x h block at (sx, sy) of src to (x, y) here, clipped to both bitmaps.
    void insert(const Bitmap& src, int x, int y, unsigned int sx, unsigned int sy, unsigned int w,
                unsigned int h);

    // Pixel (x, y) as stored, in memory byte order; no bounds check.
    std::uint32_t Pixel(unsigned int x, unsigned int y) const { return pixels[y * width + x]; }
    // Packs four bytes in this bitmap's memory order.
    static std::uint32_t Pack(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);

    unsigned int width = 0;
    unsigned int height = 0;
    std::vector<std::uint32_t> pixels;
    bool valid = false;

private:
    // Checks a PNG or JPEG header before decoding the data as a picture; logs "broken img" and the name
    // when it cannot.
    void Decode(std::vector<unsigned char>& data, const std::string& name);
    // Frames the decoded surface and takes its pixels; frees the surface.
    void TakeDecoded(SDL_Surface* decoded);
};

}  // namespace render
