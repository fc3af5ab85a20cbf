#include "vantle/audio/sdl/sample_sdl.h"

#include <SDL_mixer.h>

#include <vector>

#include "vantle/core/log.h"

namespace audio {

Mix_Chunk* DecodeChunk(const core::ptr<io::IStream>& stream) {
    if (!stream) return nullptr;
    std::vector<unsigned char> bytes(stream->Size());
    unsigned long read = bytes.empty() ? 0 : stream->Read(bytes.data(), bytes.size());
    SDL_RWops* source = SDL_RWFromMem(bytes.data(), static_cast<int>(read));
    // The mixer closes the source; the bytes go when this returns.
    Mix_Chunk* chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
    if (!chunk) core::Log::instance()->Write("Mix_LoadWAV_RW: %s\n", SDL_GetError());
    return chunk;
}

SampleSDL::SampleSDL(const core::ptr<io::IStream>& stream) : _chunk(DecodeChunk(stream)) {}

SampleSDL::~SampleSDL() {
    if (_chunk) Mix_FreeChunk(_chunk);
}

}  // namespace audio
