#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <string>

#include "support/temp_dir.h"
#include "support/wav_file.h"
#include "vantle/audio/device.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/audio/sdl/device_sdl.h"
#include "vantle/effects/effects/sound.h"
#include "vantle/io/loader.h"

namespace {

std::unique_ptr<effects::SoundEffect> Make(const std::string& xml) {
    TiXmlDocument document;
    document.Parse(xml.c_str());
    return std::unique_ptr<effects::SoundEffect>(
        static_cast<effects::SoundEffect*>(effects::SoundEffectCreateFunc(document.RootElement())));
}

// Through SDL_mixer on its dummy driver: the channel a sound effect takes really plays, a looping one
// is halted when its effect goes, a one-shot is left to play out.
TEST(SoundEffectSDL, PlaysThroughTheMixer) {
    test::TempDir dir;
    // A second of sound: still playing when the test looks.
    ASSERT_TRUE(test::WriteFile(dir.File("tone.wav"), test::MakeWav(44100)));
    io::Loader::instance()->AddSource(
        core::ptr<io::Loader::Source>(new io::FileSystemSource(dir.Path() + "/")));
    audio::Device::instance()->SetImplementation(new audio::DeviceSDL);

    auto looping = Make("<sound sample='tone.wav' loop='true'/>");
    looping->Start(false);
    const int loop_channel = looping->GetChannel();
    ASSERT_GE(loop_channel, 0) << Mix_GetError();
    EXPECT_NE(Mix_Playing(loop_channel), 0);

    auto once = Make("<sound sample='tone.wav'/>");
    once->Start(false);
    const int once_channel = once->GetChannel();
    ASSERT_GE(once_channel, 0);
    EXPECT_NE(once_channel, loop_channel);
    once->Update(0);
    EXPECT_FALSE(once->IsPlaying()) << "the mixer device never reports a channel playing";
    looping->Update(0);
    EXPECT_TRUE(looping->IsPlaying());

    looping.reset();
    EXPECT_EQ(Mix_Playing(loop_channel), 0);
    once.reset();
    EXPECT_NE(Mix_Playing(once_channel), 0) << "a one-shot plays to its end";
    Mix_HaltChannel(-1);
}

}  // namespace
