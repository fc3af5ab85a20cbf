#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/fake_audio_device.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"
#include "vantle/audio/device.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"

namespace {

using Strings = std::vector<std::string>;

audio::Device* device() {
    return audio::Device::instance();
}

TEST(AudioFacade, WithoutImplementationEveryOperationIsHarmless) {
    ASSERT_EQ(device()->GetImplementation(), nullptr);
    device()->SetMasterVolume(0.5f);
    device()->SetSfxVolume(0.5f);
    device()->SetStreamVolume(0.5f);
    device()->SetMusicVolume(0.5f);
    device()->Update();
    device()->Mute(true);
    device()->Stop(3);
    device()->SetChannelVolume(3, 0.5f);
    EXPECT_EQ(device()->GetMasterVolume(), 0.0f);
    EXPECT_EQ(device()->GetSfxVolume(), 0.0f);
    EXPECT_EQ(device()->GetStreamVolume(), 0.0f);
    EXPECT_EQ(device()->GetMusicVolume(), 0.0f);
    EXPECT_FALSE(device()->ChannelPlaying(0));
    EXPECT_TRUE(device()->LoadSample(core::ptr<io::IStream>()).empty());
    EXPECT_TRUE(device()->LoadStream(core::ptr<io::IStream>()).empty());
    EXPECT_TRUE(device()->LoadMusic(core::ptr<io::IStream>()).empty());
    EXPECT_LT(device()->Play(core::ptr<audio::ISample>(), 1.0f, false), 0);
    EXPECT_LT(device()->Play(core::ptr<audio::IStream>(), false), 0);
    device()->Play(core::ptr<audio::IMusic>(), false);
    device()->Stop(core::ptr<audio::IMusic>());
    device()->SwitchMusicTrack("data/music/none.ogg", true);
    EXPECT_TRUE(audio::SampleCache::instance()->Get("none.wav").empty());
}

class WithFakeDevice : public ::testing::Test {
protected:
    void SetUp() override {
        fake = new test::FakeAudioDevice;
        device()->SetImplementation(fake);
    }
    void TearDown() override {
        // Lets go of the track first: its sound belongs to the fake.
        device()->Play(core::ptr<audio::IStream>(), false);
        device()->SetImplementation(nullptr);
        delete fake;
    }
    std::string Write(const std::string& name, unsigned int frames) {
        temp.Write(name, test::MakeWav(frames));
        return dir + name;
    }

    test::FakeAudioDevice* fake = nullptr;
    test::TempDir temp;
    const std::string dir = temp.File("");
};

TEST_F(WithFakeDevice, SwitchingTracksStartsEachNewTrackOnceAndStopsTheOldOneFirst) {
    std::string first = Write("first.wav", 10);
    std::string second = Write("second.wav", 20);
    device()->SwitchMusicTrack(first, true);
    device()->SwitchMusicTrack(first, true);
    EXPECT_EQ(fake->calls, (Strings{"LoadStream 84", "Play(stream) loop"}));
    EXPECT_EQ(device()->GetCurrentTrack(), first);

    fake->calls.clear();
    device()->SwitchMusicTrack(second, false);
    EXPECT_EQ(fake->calls, (Strings{"LoadStream 124", "Stop(stream)", "Play(stream) once"}));

    fake->calls.clear();
    device()->SwitchMusicTrack(dir + "missing.ogg", true);
    EXPECT_EQ(fake->calls, (Strings{"LoadStream empty", "Stop(stream)", "Play(stream) loop"}));
}

TEST_F(WithFakeDevice, PlayingAnEmptyTrackStopsTheOldOneAndKeepsHoldingIt) {
    core::ptr<audio::IStream> track = device()->LoadStream(core::ptr<io::IStream>());
    EXPECT_EQ(device()->Play(track, true), 0);
    EXPECT_EQ(track.use_count(), 2);  // the facade holds it as current
    fake->calls.clear();
    EXPECT_LT(device()->Play(core::ptr<audio::IStream>(), true), 0);
    EXPECT_EQ(track.use_count(), 2);
    EXPECT_EQ(device()->Play(core::ptr<audio::IStream>(), true), -1);
    EXPECT_EQ(fake->calls, (Strings{"Stop(stream)", "Stop(stream)"}));
}

TEST_F(WithFakeDevice, OperationsForwardWithTheirArguments) {
    device()->SetMasterVolume(0.25f);
    device()->SetMusicVolume(0.5f);
    core::ptr<audio::ISample> sample = device()->LoadSample(core::ptr<io::IStream>());
    EXPECT_EQ(device()->Play(sample, 0.75f, true), 0);
    device()->SetChannelVolume(0, 0.5f);
    EXPECT_TRUE(device()->ChannelPlaying(0));
    device()->Stop(0);
    device()->Mute(true);
    device()->Mute(false);
    EXPECT_EQ(device()->GetMasterVolume(), 0.25f);
    EXPECT_EQ(fake->calls,
              (Strings{"SetMasterVolume 0.25", "SetMusicVolume 0.5", "LoadSample empty",
                       "Play(sample) 0.75 loop", "SetChannelVolume 0 0.5", "Stop 0", "Mute on", "Mute off"}));
}

TEST_F(WithFakeDevice, SetVolumeActionTakesTheMasterVolumeFromTheContext) {
    core::Context::instance()->Set("$", core::Value("0.3"));
    core::ptr<core::Functor> action = core::FunctorFactory::instance()->Create("set_volume(ignored)");
    ASSERT_TRUE(action);
    (*action)();
    EXPECT_FLOAT_EQ(fake->master, 0.3f);
    core::Context::instance()->Set("$", core::Value(0.75f));
    (*action)();
    EXPECT_FLOAT_EQ(fake->master, 0.75f);
}

TEST_F(WithFakeDevice, SampleCacheLoadsEachNameOnceFromTheSamplesDir) {
    Write("click.wav", 5);
    test::CaptureLog log;
    audio::SampleCache* cache = audio::SampleCache::instance();
    cache->SetSamplesDir(dir);
    core::ptr<audio::ISample> first = cache->Get("click.wav");
    core::ptr<audio::ISample> again = cache->Get("click.wav");
    core::ptr<audio::ISample> missing = cache->Get("missing.wav");
    cache->Get("missing.wav");
    EXPECT_EQ(first, again);
    EXPECT_TRUE(missing);
    EXPECT_EQ(fake->calls, (Strings{"LoadSample 64", "LoadSample empty"}));
    int loading = 0;
    for (const auto& line : log.Lines()) loading += line.rfind("Loading sample ", 0) == 0;
    EXPECT_EQ(loading, 2);
    EXPECT_TRUE(log.Contains("Loading sample click.wav"));
    cache->Clear();
    cache->SetSamplesDir("");
}

}  // namespace
