#include "vantle/audio/sdl/device_sdl.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/io/memory_stream.h"

namespace {

const unsigned int kLongFrames = 44100;  // one second: still playing when a test looks
const unsigned int kShortFrames = 441;   // 10 ms

audio::Device* device() {
    return audio::Device::instance();
}

// A byte stream over a copy of the bytes.
class Bytes {
public:
    explicit Bytes(const std::string& bytes) : _bytes(bytes) {}
    core::ptr<io::IStream> Stream() {
        return core::ptr<io::IStream>(new io::MemoryStream(&_bytes[0], _bytes.size()));
    }

private:
    std::string _bytes;
};

// The real mixer on SDL's dummy audio driver, installed once in the facade.
class DeviceSDLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!device()->GetImplementation()) device()->SetImplementation(new audio::DeviceSDL);
    }
    void SetUp() override {
        sdl = dynamic_cast<audio::DeviceSDL*>(device()->GetImplementation());
        ASSERT_NE(sdl, nullptr);
        ASSERT_TRUE(sdl->IsOpened());
    }
    void TearDown() override {
        device()->Play(core::ptr<audio::IStream>(), false);
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_Resume(-1);
        device()->SetMasterVolume(1.0f);
        device()->SetMusicVolume(1.0f);
    }
    static std::vector<int> ChannelVolumes() {
        std::vector<int> volumes;
        for (int channel = 0; channel < audio::DeviceSDL::kChannels; ++channel)
            volumes.push_back(Mix_Volume(channel, -1));
        return volumes;
    }
    static std::vector<int> All(int volume) { return std::vector<int>(audio::DeviceSDL::kChannels, volume); }

    audio::DeviceSDL* sdl = nullptr;
    Bytes long_wav{test::MakeWav(kLongFrames)};
    Bytes short_wav{test::MakeWav(kShortFrames)};
};

TEST_F(DeviceSDLTest, OpensSixteenChannelsAtFullVolume) {
    EXPECT_EQ(Mix_AllocateChannels(-1), 16);
    EXPECT_EQ(ChannelVolumes(), All(128));
    EXPECT_EQ(device()->GetMasterVolume(), 1.0f);
    EXPECT_EQ(device()->GetMusicVolume(), 1.0f);
    EXPECT_EQ(device()->GetStreamVolume(), 1.0f);
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_EQ(frequency, 44100);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(channels, 2);
}

TEST_F(DeviceSDLTest, SfxAndMasterVolumeSetEveryChannel) {
    struct Case {
        float volume;
        int units;
        float read_back;
    };
    const Case cases[] = {{0.5f, 64, 0.5f},  {1.0f, 128, 1.0f}, {0.0f, 0, 0.0f}, {0.999f, 127, 0.9921875f},
                          {2.0f, 128, 1.0f}, {-1.0f, 0, 0.0f},  {NAN, 0, 0.0f},  {0.25f, 32, 0.25f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volume);
        device()->SetSfxVolume(c.volume);
        EXPECT_EQ(ChannelVolumes(), All(c.units));
        EXPECT_EQ(device()->GetSfxVolume(), c.read_back);
        device()->SetMasterVolume(c.volume);
        EXPECT_EQ(device()->GetMasterVolume(), c.read_back);
    }
}

TEST_F(DeviceSDLTest, SamplesPlayOnFreeChannelsUntilAllAreBusy) {
    core::ptr<audio::ISample> sample = device()->LoadSample(long_wav.Stream());
    std::vector<int> channels;
    // A sample each: one sample started again at once plays only once.
    std::vector<core::ptr<audio::ISample>> samples;
    for (int i = 0; i < audio::DeviceSDL::kChannels; ++i) {
        samples.push_back(device()->LoadSample(long_wav.Stream()));
        channels.push_back(device()->Play(samples.back(), 1.0f, i % 2 == 0));
    }
    for (int i = 0; i < audio::DeviceSDL::kChannels; ++i) {
        EXPECT_EQ(channels[i], i);
        EXPECT_TRUE(Mix_Playing(i));
    }
    EXPECT_EQ(device()->Play(sample, 1.0f, false), -1);
    device()->Stop(3);
    EXPECT_FALSE(Mix_Playing(3));
    EXPECT_EQ(device()->Play(sample, 1.0f, true), 3);
    device()->SetChannelVolume(3, 0.5f);
    EXPECT_EQ(Mix_Volume(3, -1), 64);
    EXPECT_EQ(Mix_Volume(4, -1), 128);
    device()->Stop(-1);
    device()->Stop(99);
    device()->SetChannelVolume(99, 0.5f);
    EXPECT_EQ(Mix_Playing(-1), audio::DeviceSDL::kChannels);
    EXPECT_FALSE(device()->ChannelPlaying(3));
}

// A script's "sound_play_v" sets the channel's volume after playing; the next sample on that channel
// without a volume of its own plays at the master volume again.
TEST_F(DeviceSDLTest, AChannelVolumeLastsOnlyForTheSampleItWasSetFor) {
    core::ptr<audio::ISample> sample = device()->LoadSample(long_wav.Stream());
    device()->SetMasterVolume(0.5f);
    const int channel = device()->Play(sample, 0.25f, false);
    ASSERT_GE(channel, 0);
    device()->SetChannelVolume(channel, 0.25f);
    EXPECT_EQ(Mix_Volume(channel, -1), 32);
    device()->Stop(channel);
    ASSERT_EQ(device()->Play(sample, -1.0f, false), channel);
    EXPECT_EQ(Mix_Volume(channel, -1), 64);
}

// Many plates worn in one move each start the same sound: copies summed in the mixer would clip.
TEST_F(DeviceSDLTest, AOnceSampleStartedAgainAtOnceIsHeardOnce) {
    core::ptr<audio::ISample> sample = device()->LoadSample(long_wav.Stream());
    core::ptr<audio::ISample> other = device()->LoadSample(long_wav.Stream());
    const int first = device()->Play(sample, -1.0f, false);
    ASSERT_GE(first, 0);
    EXPECT_EQ(device()->Play(sample, -1.0f, false), first);
    // Another sample, the same one looping, or the same one started later take channels of their own.
    EXPECT_NE(device()->Play(other, -1.0f, false), first);
    EXPECT_NE(device()->Play(sample, -1.0f, true), first);
    SDL_Delay(audio::DeviceSDL::kRestartWindowMs + 10);
    EXPECT_NE(device()->Play(sample, -1.0f, false), first);
    EXPECT_EQ(Mix_Playing(-1), 4);
}

// A button's click plays on while the screen it opens empties the sample cache.
TEST_F(DeviceSDLTest, ASampleLetGoWhileItPlaysPlaysOn) {
    int channel = -1;
    {
        core::ptr<audio::ISample> sample = device()->LoadSample(long_wav.Stream());
        channel = device()->Play(sample, -1.0f, false);
    }
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(Mix_Playing(channel));
}

TEST_F(DeviceSDLTest, AOnceSampleEndsWhileALoopingOneGoesOn) {
    core::ptr<audio::ISample> sample = device()->LoadSample(short_wav.Stream());
    int once = device()->Play(sample, 1.0f, false);
    int looping = device()->Play(sample, 1.0f, true);
    ASSERT_GE(once, 0);
    ASSERT_GE(looping, 0);
    // The dummy driver mixes in real time, one 1024-frame chunk (23 ms) at a time.
    for (int waited = 0; waited < 500 && Mix_Playing(once); waited += 2) SDL_Delay(2);
    EXPECT_FALSE(Mix_Playing(once));
    EXPECT_TRUE(Mix_Playing(looping));
    device()->Stop(looping);
    EXPECT_FALSE(Mix_Playing(looping));
}

TEST_F(DeviceSDLTest, MusicVolumeAppliesToTheTrackChannelOnly) {
    device()->SetMusicVolume(0.25f);
    EXPECT_EQ(ChannelVolumes(), All(128));
    int channel = device()->Play(device()->LoadStream(long_wav.Stream()), true);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(sdl->GetMusicChannel(), channel);
    EXPECT_EQ(Mix_Volume(channel, -1), 32);

    device()->SetMusicVolume(0.5f);
    EXPECT_EQ(Mix_Volume(channel, -1), 64);
    EXPECT_EQ(device()->GetMusicVolume(), 0.5f);
    // Master volume is the volume of every channel, the music channel included.
    device()->SetSfxVolume(1.0f);
    EXPECT_EQ(Mix_Volume(channel, -1), 128);

    device()->SetMusicVolume(0.5f);
    device()->Stop(core::ptr<audio::IStream>());
    EXPECT_FALSE(Mix_Playing(channel));
    EXPECT_EQ(sdl->GetMusicChannel(), -1);
    // The channel gets the mean volume of all channels back, its own 64 among the fifteen at 128.
    EXPECT_EQ(Mix_Volume(channel, -1), (15 * 128 + 64) / 16);
}

TEST_F(DeviceSDLTest, SwitchingTracksHaltsTheOldChannel) {
    test::TempDir temp;
    const std::string dir = temp.Path();
    temp.Write("a.wav", test::MakeWav(kLongFrames));
    temp.Write("b.wav", test::MakeWav(kLongFrames));

    device()->SwitchMusicTrack(dir + "/a.wav", true);
    int first = sdl->GetMusicChannel();
    ASSERT_GE(first, 0);
    device()->SwitchMusicTrack(dir + "/a.wav", true);
    EXPECT_EQ(sdl->GetMusicChannel(), first);
    EXPECT_EQ(Mix_Playing(-1), 1);

    device()->SwitchMusicTrack(dir + "/b.wav", true);
    int second = sdl->GetMusicChannel();
    ASSERT_GE(second, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_TRUE(Mix_Playing(second));

    device()->SwitchMusicTrack(dir + "/missing.wav", true);
    EXPECT_EQ(sdl->GetMusicChannel(), -1);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(DeviceSDLTest, MutePausesEveryChannelTheTrackIncluded) {
    core::ptr<audio::ISample> sample = device()->LoadSample(long_wav.Stream());
    device()->Play(sample, 1.0f, true);
    device()->Play(device()->LoadStream(long_wav.Stream()), true);
    device()->Mute(true);
    EXPECT_EQ(Mix_Paused(-1), 2);
    EXPECT_EQ(Mix_Paused(sdl->GetMusicChannel()), 1);
    device()->Mute(false);
    EXPECT_EQ(Mix_Paused(-1), 0);
    EXPECT_EQ(Mix_Playing(-1), 2);
}

TEST_F(DeviceSDLTest, UndecodableDataGivesSoundsThatPlayNothing) {
    test::CaptureLog log;
    Bytes garbage("this is not a sound at all");
    core::ptr<audio::ISample> sample = device()->LoadSample(garbage.Stream());
    ASSERT_TRUE(sample);
    EXPECT_TRUE(log.Contains("Mix_LoadWAV_RW: "));
    EXPECT_EQ(device()->Play(sample, 1.0f, false), -1);
    EXPECT_EQ(device()->Play(core::ptr<audio::ISample>(), 1.0f, false), -1);

    core::ptr<audio::IStream> track = device()->LoadStream(garbage.Stream());
    ASSERT_TRUE(track);
    EXPECT_EQ(device()->Play(track, true), -1);

    log.Clear();
    core::ptr<audio::ISample> empty = device()->LoadSample(core::ptr<io::IStream>());
    ASSERT_TRUE(empty);
    EXPECT_EQ(device()->Play(empty, 1.0f, false), -1);

    core::ptr<audio::IMusic> music = device()->LoadMusic(garbage.Stream());
    ASSERT_TRUE(music);
    EXPECT_TRUE(log.Contains("Mix_LoadMUS_RW: "));
    device()->Play(music, false);
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    log.Clear();
    device()->LoadMusic(core::ptr<io::IStream>());
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"MusicSDL()", "MusicSDL() error: invalid stream"}));
}

TEST_F(DeviceSDLTest, MusicPlaysFromTheBytesItKeeps) {
    test::CaptureLog log;
    core::ptr<audio::IMusic> music;
    {
        Bytes wav(test::MakeWav(kLongFrames));
        music = device()->LoadMusic(wav.Stream());
    }
    device()->Play(music, true);
    EXPECT_TRUE(log.Contains("DeviceSDL::Play(music)"));
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    SDL_Delay(5);
    device()->Stop(music);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(DeviceSDLTest, AMissingSampleFileIsCachedAsASampleThatPlaysNothing) {
    test::CaptureLog log;
    audio::SampleCache* cache = audio::SampleCache::instance();
    cache->SetSamplesDir("/nonexistent/sfx/");
    core::ptr<audio::ISample> sample = cache->Get("gone.wav");
    ASSERT_TRUE(sample);
    EXPECT_EQ(device()->Play(sample, 1.0f, false), -1);
    EXPECT_EQ(cache->Get("gone.wav"), sample);
    int loading = 0;
    for (const auto& line : log.Lines()) loading += line == "Loading sample gone.wav";
    EXPECT_EQ(loading, 1);
    cache->Clear();
}

}  // namespace
