#pragma once

#include "vantle/audio/device.h"
#include "vantle/audio/sdl/sample_sdl.h"

namespace audio {

// A music track decoded whole, exactly like a sample; holds nothing when decoding failed.
class StreamSDL : public IStream {
public:
    StreamSDL() = default;
    explicit StreamSDL(const core::ptr<io::IStream>& stream);

    Mix_Chunk* GetChunk() const { return _chunk.get(); }

private:
    ChunkPtr _chunk;
};

}  // namespace audio
