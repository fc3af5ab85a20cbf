#pragma once

#include <string>

#include "vantle/audio/device.h"

struct _Mix_Music;
struct SDL_RWops;

namespace audio {

// Music the mixer decodes while it plays, from bytes this object keeps; holds nothing on failure.
class MusicSDL : public IMusic {
public:
    MusicSDL() = default;
    explicit MusicSDL(const core::ptr<io::IStream>& stream);
    ~MusicSDL() override;
    MusicSDL(const MusicSDL&) = delete;
    MusicSDL& operator=(const MusicSDL&) = delete;

    _Mix_Music* GetMusic() const { return _music; }

private:
    std::string _bytes;
    SDL_RWops* _source = nullptr;
    _Mix_Music* _music = nullptr;
};

}  // namespace audio
