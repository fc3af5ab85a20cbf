#include "vantle/audio/sdl/stream_sdl.h"

namespace audio {

StreamSDL::StreamSDL(const core::ptr<io::IStream>& stream) : _chunk(DecodeChunk(stream)) {}

}  // namespace audio
