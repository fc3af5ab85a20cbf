// Pictures as the renderer loads them: decoded from a stream into a framed bitmap, then placed on a
// texture page.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "support/recording_render.h"
#include "vantle/io/memory_stream.h"
#include "vantle/render/bitmap.h"

namespace {

// The largest side decoded, and the frame added on each side.
const unsigned int kMaxSide = 4096;
const unsigned int kFrame = 1;

void CheckFramed(const render::Bitmap& bitmap) {
    test::FuzzCheck(bitmap.width >= 2 * kFrame && bitmap.height >= 2 * kFrame,
                    "a decoded picture has its frame");
    test::FuzzCheck(bitmap.width <= kMaxSide + 2 * kFrame && bitmap.height <= kMaxSide + 2 * kFrame,
                    "no picture larger than 4096 pixels on a side is decoded");
    test::FuzzCheck(bitmap.pixels.size() == std::size_t{bitmap.width} * bitmap.height,
                    "every pixel is there");
    for (unsigned int x = 0; x < bitmap.width; ++x) {
        test::FuzzCheck(bitmap.Pixel(x, 0) == 0 && bitmap.Pixel(x, bitmap.height - 1) == 0,
                        "the frame is clear");
    }
    for (unsigned int y = 0; y < bitmap.height; ++y) {
        test::FuzzCheck(bitmap.Pixel(0, y) == 0 && bitmap.Pixel(bitmap.width - 1, y) == 0,
                        "the frame is clear");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static test::RecordingRender* renderer = new test::RecordingRender();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    io::MemoryStream* memory = new io::MemoryStream(&bytes[0], static_cast<unsigned int>(size));
    memory->SetFilename("fuzz.png");
    core::ptr<io::IStream> stream(memory);
    const render::Bitmap bitmap(stream);
    if (!bitmap.valid) {
        test::FuzzCheck(bitmap.pixels.empty(), "a picture that does not decode has no pixels");
        return 0;
    }
    CheckFramed(bitmap);
    delete renderer->LoadTexture(bitmap);
    renderer->ClearTextures();
    renderer->ClearRecord();
    return 0;
}
