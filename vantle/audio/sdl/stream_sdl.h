#pragma once

#include "vantle/audio/device.h"

struct Mix_Chunk;

namespace audio {

// A music track decoded whole, exactly like a sample; holds nothing when decoding failed.
class StreamSDL : public IStream {
public:
    StreamSDL() = default;
    explicit StreamSDL(const core::ptr<io::IStream>& stream);
    ~StreamSDL() override;
    StreamSDL(const StreamSDL&) = delete;
    StreamSDL& operator=(const StreamSDL&) = delete;

    Mix_Chunk* GetChunk() const { return _chunk; }

private:
    Mix_Chunk* _chunk = nullptr;
};

}  // namespace audio
