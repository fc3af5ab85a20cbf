#include <SDL.h>
#include <gtest/gtest.h>

#include "support/capture_log.h"
#include "support/wav_file.h"
#include "vantle/audio/sdl/device_sdl.h"
#include "vantle/io/memory_stream.h"

// SDL 1.2 starts its audio subsystem even without a usable driver, so the failure is stood in for here:
// this definition takes the place of SDL's for the whole test program.
extern "C" int SDL_InitSubSystem(Uint32) {
    SDL_SetError("audio switched off for this test");
    return -1;
}

namespace {

TEST(AudioWithoutSubsystem, EveryOperationIsASafeNoOp) {
    test::CaptureLog log;
    audio::Device* facade = audio::Device::instance();
    facade->SetImplementation(new audio::DeviceSDL);
    auto* sdl = dynamic_cast<audio::DeviceSDL*>(facade->GetImplementation());
    ASSERT_NE(sdl, nullptr);
    EXPECT_FALSE(sdl->IsOpened());
    EXPECT_TRUE(log.Contains("SDL_Init: "));

    std::string wav = test::MakeWav(100);
    core::ptr<io::IStream> bytes(new io::MemoryStream(&wav[0], wav.size()));
    facade->SetMasterVolume(0.5f);
    facade->SetSfxVolume(0.5f);
    facade->SetMusicVolume(0.5f);
    EXPECT_EQ(facade->GetMasterVolume(), 0.0f);
    EXPECT_EQ(facade->GetSfxVolume(), 0.0f);
    EXPECT_EQ(facade->GetMusicVolume(), 0.5f);
    core::ptr<audio::ISample> sample = facade->LoadSample(bytes);
    core::ptr<audio::IStream> track = facade->LoadStream(bytes);
    core::ptr<audio::IMusic> music = facade->LoadMusic(bytes);
    ASSERT_TRUE(sample);
    ASSERT_TRUE(track);
    ASSERT_TRUE(music);
    EXPECT_EQ(facade->Play(sample, 1.0f, true), -1);
    facade->SetChannelVolume(0, 0.5f);
    facade->Stop(0);
    EXPECT_EQ(facade->Play(track, true), -1);
    facade->Play(music, true);
    facade->Stop(music);
    facade->Mute(true);
    facade->Mute(false);
    facade->Stop(track);
    facade->SwitchMusicTrack("/nonexistent/track.ogg", true);
    facade->Play(core::ptr<audio::IStream>(), false);
}

}  // namespace
