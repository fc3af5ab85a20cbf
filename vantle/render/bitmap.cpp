#include "vantle/render/bitmap.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

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
    SDL_RWops* memory = SDL_RWFromMem(data.data(), static_cast<int>(data.size()));
    SDL_Surface* decoded = memory ? IMG_Load_RW(memory, 1) : nullptr;
    if (!decoded) {
        std::fprintf(stderr, "broken img %s\n", stream->GetFilename().c_str());
        return;
    }
    TakeDecoded(decoded);
}

Bitmap::Bitmap(const char* path) {
    SDL_Surface* decoded = path ? IMG_Load(path) : nullptr;
    if (!decoded) {
        std::fprintf(stderr, "broken img %s\n", path ? path : "");
        return;
    }
    TakeDecoded(decoded);
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
