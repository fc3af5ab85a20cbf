#include "vantle/audio/sdl/music_sdl.h"

#include <SDL_mixer.h>

#include "vantle/audio/sdl/sample_sdl.h"
#include "vantle/core/log.h"
#include "vantle/io/stream.h"

namespace audio {

MusicSDL::MusicSDL(const core::ptr<io::IStream>& stream) {
    core::Log::instance()->Write("MusicSDL()");
    if (!stream) {
        core::Log::instance()->Write("MusicSDL() error: invalid stream");
        return;
    }
    _bytes = io::ReadBytes(stream);
    _source = SDL_RWFromMem(_bytes.data(), static_cast<int>(_bytes.size()));
    // The mixer reads from the source while the music plays; both stay with this object.
    _music = _source ? Mix_LoadMUS_RW(_source) : nullptr;
    if (!_music) core::Log::instance()->Write("Mix_LoadMUS_RW: %s\n", SDL_GetError());
}

MusicSDL::~MusicSDL() {
    if (_music) Mix_FreeMusic(_music);
    if (_source) SDL_FreeRW(_source);
}

}  // namespace audio
