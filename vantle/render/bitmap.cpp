#include "vantle/render/bitmap.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "vantle/io/stream.h"

namespace render {

namespace {

// SDL's flag for per-surface alpha blending, and the bits restored after a blit.
const Uint32 kSurfaceAlphaFlag = SDL_SRCALPHA;
const Uint32 kAlphaFlagsMask = SDL_SRCALPHA | SDL_RLEACCELOK;

#if SDL_BYTEORDER == SDL_BIG_ENDIAN
const Uint32 kRedMask = 0xFF000000, kGreenMask = 0x00FF0000, kBlueMask = 0x0000FF00, kAlphaMask = 0x000000FF;
#else
const Uint32 kRedMask = 0x000000FF, kGreenMask = 0x0000FF00, kBlueMask = 0x00FF0000, kAlphaMask = 0xFF000000;
#endif

bool IsPng(const std::vector<unsigned char>& data) {
    return data.size() >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
}

// The JFIF identifier of the first application segment.
bool IsJfif(const std::vector<unsigned char>& data) {
    return data.size() >= 11 && std::memcmp(&data[6], "JFIF", 5) == 0;
}

// Larger pictures are refused before decoding: no texture page holds even a quarter of one, and the
// decoder would first allocate memory for all of its pixels.
const unsigned int kMaxSide = 4096;

const size_t kPngSignatureSize = 8;
// Length, type and checksum around a chunk's data.
const size_t kPngChunkFrame = 12;
const size_t kPngSizeBytes = 8;
// A frame header's length field, precision, height and width.
const size_t kJpegFrameBytes = 7;
const unsigned char kJpegMarker = 0xFF;

std::uint32_t BigEndian16(const std::vector<unsigned char>& data, size_t at) {
    return (std::uint32_t{data[at]} << 8) | data[at + 1];
}

std::uint32_t BigEndian32(const std::vector<unsigned char>& data, size_t at) {
    return (BigEndian16(data, at) << 16) | BigEndian16(data, at + 2);
}

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The size in the header chunk, once every chunk up to the end chunk is seen to lie inside the data:
// the decoder reading past the end of the data gets the bytes it read last once more, and may loop on
// them for good. False for a file that fails either.
bool ReadPngSize(const std::vector<unsigned char>& data, PictureSize& size) {
    if (data.size() < kPngSignatureSize) return false;
    bool header_seen = false;
    for (size_t at = kPngSignatureSize; data.size() - at >= kPngChunkFrame;) {
        const std::uint32_t length = BigEndian32(data, at);
        if (length > data.size() - at - kPngChunkFrame) return false;
        const unsigned char* type = &data[at + 4];
        if (!header_seen) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length < kPngSizeBytes) return false;
            size.width = BigEndian32(data, at + 8);
            size.height = BigEndian32(data, at + 12);
            header_seen = true;
        }
        if (std::memcmp(type, "IEND", 4) == 0) return true;
        at += kPngChunkFrame + length;
    }
    return false;
}

bool IsJpegFrameHeader(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers without a length: the start of the image, restarts and the temporary marker.
bool IsJpegStandalone(unsigned char marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

// The size in the frame header, reached through the segments before it; bytes between segments are
// skipped as the decoder skips them. False when a segment runs past the end, or the scan or the image
// ends first.
bool ReadJpegSize(const std::vector<unsigned char>& data, PictureSize& size) {
    if (data.size() < 2 || data[0] != kJpegMarker || data[1] != 0xD8) return false;
    size_t at = 2;
    while (at + 1 < data.size()) {
        const unsigned char marker = data[at + 1];
        if (data[at] != kJpegMarker || marker == kJpegMarker || marker == 0) {
            ++at;
            continue;
        }
        if (IsJpegStandalone(marker)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA || data.size() - at < 4) return false;
        const std::uint32_t length = BigEndian16(data, at + 2);
        if (length < 2 || length > data.size() - at - 2) return false;
        if (IsJpegFrameHeader(marker)) {
            if (length < kJpegFrameBytes) return false;
            size.height = BigEndian16(data, at + 5);
            size.width = BigEndian16(data, at + 7);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

// Whether a PNG or JPEG file is whole enough and small enough to hand to the decoder; other formats are
// left to it.
bool HeaderAllowsDecoding(const std::vector<unsigned char>& data) {
    PictureSize size;
    if (IsPng(data)) {
        if (!ReadPngSize(data, size)) return false;
    } else if (data.size() >= 2 && data[0] == kJpegMarker && data[1] == 0xD8) {
        if (!ReadJpegSize(data, size)) return false;
    } else {
        return true;
    }
    return size.width <= kMaxSide && size.height <= kMaxSide;
}

// Clamped before the conversion: a float beyond int (or NaN) has no defined conversion.
std::uint8_t ToByte(float component) {
    const float scaled = component * 255.0f;
    if (!(scaled > 0.0f)) return 0;
    if (scaled >= 255.0f) return 255;
    return static_cast<std::uint8_t>(scaled);
}

// Moves a negative start to 0, cutting as much off the front of the span; false when nothing is left.
bool ClipNegativeStart(int& start, unsigned int& source, unsigned int& length) {
    if (start >= 0) return true;
    const unsigned int cut = static_cast<unsigned int>(-static_cast<long long>(start));
    if (length <= cut) return false;
    length -= cut;
    source += cut;
    start = 0;
    return true;
}

// Shortens the span to end within the limit; false when it starts at or beyond it.
bool ClipToLimit(unsigned int start, unsigned int& length, unsigned int limit) {
    if (start >= limit) return false;
    if (length > limit - start) length = limit - start;
    return true;
}

}  // namespace

Bitmap::Bitmap(core::ptr<io::IStream>& stream) {
    if (!stream || !stream->IsOpened()) return;

    std::vector<unsigned char> data(stream->Size());
    // A stream may deliver less than its size claims; only what arrived is decoded.
    const unsigned long read = data.empty() ? 0 : stream->Read(data.data(), data.size());
    data.resize(read < data.size() ? read : data.size());

    if (!IsPng(data) && !IsJfif(data)) {
        std::fprintf(stderr, "not png or jpg image\n");
        return;
    }
    Decode(data, stream->GetFilename());
}

Bitmap::Bitmap(const char* path) {
    std::vector<unsigned char> data;
    if (path) {
        std::ifstream file(path, std::ios::binary);
        data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    Decode(data, path ? path : "");
}

Bitmap::Bitmap(unsigned int w, unsigned int h)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0u), valid(true) {}

std::uint32_t Bitmap::Pack(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    const std::uint8_t bytes[4] = {r, g, b, a};
    std::uint32_t pixel;
    std::memcpy(&pixel, bytes, sizeof pixel);
    return pixel;
}

void Bitmap::fill(Color color) {
    const std::uint32_t pixel = Pack(ToByte(color.r), ToByte(color.g), ToByte(color.b), ToByte(color.a));
    for (std::uint32_t& p : pixels) p = pixel;
}

void Bitmap::insert(const Bitmap& src, int x, int y, unsigned int sx, unsigned int sy, unsigned int w,
                    unsigned int h) {
    if (!ClipNegativeStart(x, sx, w) || !ClipNegativeStart(y, sy, h)) return;
    const unsigned int ux = static_cast<unsigned int>(x);
    const unsigned int uy = static_cast<unsigned int>(y);
    if (!ClipToLimit(ux, w, width) || !ClipToLimit(uy, h, height)) return;
    // A block reaching past the source would read beyond its pixels: only what the source has is copied.
    if (!ClipToLimit(sx, w, src.width) || !ClipToLimit(sy, h, src.height)) return;
    for (unsigned int j = 0; j < h; ++j) {
        for (unsigned int i = 0; i < w; ++i) {
            pixels[(uy + j) * width + ux + i] = src.pixels[(sy + j) * src.width + sx + i];
        }
    }
}

void Bitmap::Decode(std::vector<unsigned char>& data, const std::string& name) {
    SDL_RWops* memory = data.empty() || !HeaderAllowsDecoding(data)
                            ? nullptr
                            : SDL_RWFromMem(data.data(), static_cast<int>(data.size()));
    SDL_Surface* decoded = memory ? IMG_Load_RW(memory, 1) : nullptr;
    if (!decoded) {
        std::fprintf(stderr, "broken img %s\n", name.c_str());
        return;
    }
    TakeDecoded(decoded);
}

void Bitmap::TakeDecoded(SDL_Surface* decoded) {
    const unsigned int w = static_cast<unsigned int>(decoded->w) + 2;
    const unsigned int h = static_cast<unsigned int>(decoded->h) + 2;
    SDL_Surface* framed = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(w), static_cast<int>(h), 32,
                                               kRedMask, kGreenMask, kBlueMask, kAlphaMask);
    if (!framed) {
        std::fprintf(stderr, "broken img: no surface of %ux%u\n", w, h);
        SDL_FreeSurface(decoded);
        return;
    }
    SDL_FillRect(framed, nullptr, 0);

    // Blending off for the blit, so the image's alpha is copied rather than applied.
    const Uint32 alpha_flags = decoded->flags & kAlphaFlagsMask;
    const Uint8 surface_alpha = decoded->format->alpha;
    const bool blended = (decoded->flags & kSurfaceAlphaFlag) != 0;
    if (blended) SDL_SetAlpha(decoded, 0, surface_alpha);
    SDL_Rect target = {1, 1, static_cast<Uint16>(decoded->w), static_cast<Uint16>(decoded->h)};
    SDL_BlitSurface(decoded, nullptr, framed, &target);
    if (blended) SDL_SetAlpha(decoded, alpha_flags, surface_alpha);

    pixels.resize(static_cast<std::size_t>(w) * h);
    SDL_LockSurface(framed);
    for (unsigned int row = 0; row < h; ++row) {
        const unsigned char* source = static_cast<const unsigned char*>(framed->pixels) + row * framed->pitch;
        std::memcpy(&pixels[static_cast<std::size_t>(row) * w], source, w * sizeof(std::uint32_t));
    }
    SDL_UnlockSurface(framed);
    SDL_FreeSurface(framed);
    SDL_FreeSurface(decoded);
    width = w;
    height = h;
    valid = true;
}

}  // namespace render
