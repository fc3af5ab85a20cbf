#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "vantle/audio/sdl/device_sdl.h"

namespace {

// Another client holds the output, so the mixer cannot open it.
void OpenAudioElsewhereThenMakeDevice() {
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_AudioSpec wanted{};
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 512;
    wanted.callback = [](void*, Uint8* stream, int length) { SDL_memset(stream, 0, length); };
    if (SDL_OpenAudio(&wanted, nullptr) < 0) std::exit(3);
    audio::DeviceSDL device;
    std::exit(0);
}

TEST(AudioOutputDeathTest, MixerThatCannotOpenEndsTheProcessWithStatusTwo) {
    EXPECT_EXIT(OpenAudioElsewhereThenMakeDevice(), ::testing::ExitedWithCode(2), "");
}

}  // namespace
