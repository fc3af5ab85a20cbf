#pragma once

#include <memory>

#include "vantle/audio/device.h"

struct Mix_Chunk;

namespace audio {

struct FreeChunk {
    void operator()(Mix_Chunk* chunk) const;
};
// A mixer chunk, freed with its holder.
using ChunkPtr = std::unique_ptr<Mix_Chunk, FreeChunk>;

// Decodes a whole byte stream into a mixer chunk; null (logged) when it does not decode, null without
// a word for an empty stream.
ChunkPtr DecodeChunk(const core::ptr<io::IStream>& stream);

// One decoded sample; holds nothing when decoding failed.
class SampleSDL : public ISample {
public:
    SampleSDL() = default;
    explicit SampleSDL(const core::ptr<io::IStream>& stream);

    Mix_Chunk* GetChunk() const { return _chunk.get(); }

private:
    ChunkPtr _chunk;
};

}  // namespace audio
