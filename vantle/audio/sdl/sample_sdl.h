#pragma once

#include "vantle/audio/device.h"

struct Mix_Chunk;

namespace audio {

// Decodes a whole byte stream into a mixer chunk; null (logged) when it does not decode, null without
// a word for an empty stream.
Mix_Chunk* DecodeChunk(const core::ptr<io::IStream>& stream);

// One decoded sample; holds nothing when decoding failed.
class SampleSDL : public ISample {
public:
    SampleSDL() = default;
    explicit SampleSDL(const core::ptr<io::IStream>& stream);
    ~SampleSDL() override;
    SampleSDL(const SampleSDL&) = delete;
    SampleSDL& operator=(const SampleSDL&) = delete;

    Mix_Chunk* GetChunk() const { return _chunk; }

private:
    Mix_Chunk* _chunk = nullptr;
};

}  // namespace audio
