#include "vantle/audio/sdl/stream_sdl.h"

#include <SDL_mixer.h>

#include "vantle/audio/sdl/sample_sdl.h"

namespace audio {

StreamSDL::StreamSDL(const core::ptr<io::IStream>& stream) : _chunk(DecodeChunk(stream)) {}

StreamSDL::~StreamSDL() {
    if (_chunk) Mix_FreeChunk(_chunk);
}

}  // namespace audio
