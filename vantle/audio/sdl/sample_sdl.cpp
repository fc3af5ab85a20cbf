#include "vantle/audio/sdl/sample_sdl.h"

#include <SDL_mixer.h>

#include "vantle/core/log.h"
#include "vantle/io/stream.h"

namespace audio {

void FreeChunk::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

ChunkPtr DecodeChunk(const core::ptr<io::IStream>& stream) {
    if (!stream) return ChunkPtr();
    std::string bytes = io::ReadBytes(stream);
    SDL_RWops* source = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    // The mixer closes the source; the bytes go when this returns.
    ChunkPtr chunk(source ? Mix_LoadWAV_RW(source, 1) : nullptr);
    if (!chunk) core::Log::instance()->Write("Mix_LoadWAV_RW: %s\n", SDL_GetError());
    return chunk;
}

SampleSDL::SampleSDL(const core::ptr<io::IStream>& stream) : _chunk(DecodeChunk(stream)) {}

}  // namespace audio
