#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/fake_audio_device.h"
#include "support/fake_platform.h"
#include "vantle/core/context.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/effects/effects/sound.h"

namespace {

// The shared fake, with channels that end: by Stop, by Finish (the sample played out), or never begin
// when the mixer is busy. It remembers what it was asked to play, stop and set in number form.
class AudioDevice : public test::FakeAudioDevice {
public:
    struct PlayCall {
        const audio::ISample* sample;
        float volume;
        bool loop;
        int channel;
    };
    struct VolumeCall {
        int channel;
        float volume;
    };

    int Play(const core::ptr<audio::ISample>& sample, float volume, bool loop) override {
        const int channel = busy ? -1 : FakeAudioDevice::Play(sample, volume, loop);
        plays.push_back(PlayCall{sample.get(), volume, loop, channel});
        return channel;
    }
    void Stop(int channel) override {
        FakeAudioDevice::Stop(channel);
        stops.push_back(channel);
        finished.insert(channel);
    }
    void SetChannelVolume(int channel, float volume) override {
        FakeAudioDevice::SetChannelVolume(channel, volume);
        volumes.push_back(VolumeCall{channel, volume});
    }
    bool ChannelPlaying(int channel) override {
        return FakeAudioDevice::ChannelPlaying(channel) && finished.count(channel) == 0;
    }
    void Finish(int channel) { finished.insert(channel); }
    void Clear() {
        plays.clear();
        stops.clear();
        volumes.clear();
        busy = false;
    }

    std::vector<PlayCall> plays;
    std::vector<int> stops;
    std::vector<VolumeCall> volumes;
    bool busy = false;

private:
    std::set<int> finished;
};

class SoundEffectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        device = new AudioDevice;
        audio::Device::instance()->SetImplementation(device);
    }

    void SetUp() override {
        platform = test::FakePlatform::Install();
        platform->SetTicks(1000);
        device->Clear();
        effects::Effect::Register();
        effects::SoundEffect::Register();
    }

    // A sound effect from one element of XML text.
    std::unique_ptr<effects::SoundEffect> Make(const std::string& xml) {
        TiXmlDocument document;
        document.Parse(xml.c_str());
        EXPECT_FALSE(document.Error()) << xml;
        return std::unique_ptr<effects::SoundEffect>(
            static_cast<effects::SoundEffect*>(effects::SoundEffectCreateFunc(document.RootElement())));
    }

    static AudioDevice* device;
    test::FakePlatform* platform = nullptr;
};

AudioDevice* SoundEffectTest::device = nullptr;

TEST_F(SoundEffectTest, StartPlaysTheSampleWithItsSettings) {
    core::Context::instance()->Set("test_volume", core::Value("0.25"));
    const struct {
        const char* xml;
        float volume;
        bool loop;
    } cases[] = {
        {"<sound sample='click.ogg'/>", -1.0f, false},
        {"<sound sample='click.ogg' volume='0.5'/>", 0.5f, false},
        {"<sound sample='click.ogg' loop='yes'/>", -1.0f, true},
        {"<sound sample='click.ogg' loop='0'/>", -1.0f, false},
        {"<sound sample='click.ogg' volume_key='test_volume' volume='0.9'/>", 0.25f, false},  // the key wins
        {"<sound sample='click.ogg' volume_key='test_volume'/>", 0.25f, false},
        {"<sound sample='click.ogg' volume_key='never_set'/>", 0.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        device->Clear();
        auto sound = Make(c.xml);
        EXPECT_TRUE(sound->IsSound());
        EXPECT_FALSE(sound->IsPlaying());
        EXPECT_TRUE(device->plays.empty());
        sound->Start(false);
        ASSERT_EQ(device->plays.size(), 1u);
        EXPECT_NE(device->plays[0].sample, nullptr);
        EXPECT_EQ(device->plays[0].loop, c.loop);
        EXPECT_FLOAT_EQ(device->plays[0].volume, c.volume);
        EXPECT_EQ(sound->GetChannel(), device->plays[0].channel);
        EXPECT_TRUE(sound->IsPlaying());
    }
}

// The volume given in the element stays at its value when the key reads later; with only a volume,
// nothing but Play sees it.
TEST_F(SoundEffectTest, VolumeFollowsItsContextKeyEveryQuarterSecond) {
    core::Context* context = core::Context::instance();
    context->Set("sfx_volume", core::Value(0.5f));
    auto sound = Make("<sound sample='hum.ogg' loop='true' volume_key='sfx_volume'/>");
    sound->Start(false);
    const int channel = sound->GetChannel();
    ASSERT_GE(channel, 0);

    context->Set("sfx_volume", core::Value(0.75f));
    platform->Advance(249);
    sound->Update(0);
    EXPECT_TRUE(device->volumes.empty()) << "the key is re-read only after 250 ms";

    platform->Advance(1);
    sound->Update(0);
    ASSERT_EQ(device->volumes.size(), 1u);
    EXPECT_EQ(device->volumes[0].channel, channel);
    EXPECT_FLOAT_EQ(device->volumes[0].volume, 0.75f);
    EXPECT_FLOAT_EQ(sound->GetVolume(), 0.75f);

    sound->Update(0);
    EXPECT_EQ(device->volumes.size(), 1u) << "one reading per period";

    context->Set("sfx_volume", core::Value("0.1"));
    platform->Advance(250);
    sound->Update(0);
    ASSERT_EQ(device->volumes.size(), 2u);
    EXPECT_FLOAT_EQ(device->volumes[1].volume, 0.1f);

    auto fixed = Make("<sound sample='hum.ogg' volume='0.3'/>");
    fixed->Start(false);
    platform->Advance(1000);
    fixed->Update(0);
    EXPECT_EQ(device->volumes.size(), 2u);
}

TEST_F(SoundEffectTest, OneShotEndsWithItsChannelLoopEndsWithTheEffect) {
    auto once = Make("<sound sample='pop.ogg'/>");
    once->Start(false);
    const int once_channel = once->GetChannel();
    once->Update(10);
    EXPECT_TRUE(once->IsPlaying()) << "the channel still plays";
    device->Finish(once_channel);
    once->Update(20);
    EXPECT_FALSE(once->IsPlaying());

    auto looping = Make("<sound sample='hum.ogg' loop='true'/>");
    looping->Start(false);
    const int loop_channel = looping->GetChannel();
    device->Finish(loop_channel);
    looping->Update(30);
    EXPECT_TRUE(looping->IsPlaying()) << "a loop plays until its effect goes";

    once.reset();
    EXPECT_TRUE(device->stops.empty()) << "a one-shot sample is left to finish";
    looping.reset();
    ASSERT_EQ(device->stops.size(), 1u);
    EXPECT_EQ(device->stops[0], loop_channel);
}

TEST_F(SoundEffectTest, WithoutAChannelAOneShotEndsAtOnceAndALoopRunsSilently) {
    device->busy = true;
    auto missing = Make("<sound/>");
    auto once = Make("<sound sample='pop.ogg' volume_key='sfx_volume'/>");
    auto looping = Make("<sound sample='hum.ogg' loop='1' volume_key='sfx_volume'/>");
    for (auto* sound : {missing.get(), once.get(), looping.get()}) {
        sound->Start(false);
        EXPECT_EQ(sound->GetChannel(), -1);
        platform->Advance(300);
        sound->Update(0);
    }
    EXPECT_FALSE(missing->IsPlaying());
    EXPECT_FALSE(once->IsPlaying());
    EXPECT_TRUE(looping->IsPlaying());
    EXPECT_TRUE(device->volumes.empty());
    looping.reset();
    EXPECT_TRUE(device->stops.empty());
}

TEST_F(SoundEffectTest, ACloneHasNoChannelOfItsOwnUntilStarted) {
    auto original = Make("<sound sample='hum.ogg' loop='true' volume='0.4'/>");
    original->Start(false);
    const int channel = original->GetChannel();
    ASSERT_GE(channel, 0);

    std::unique_ptr<effects::Effect> copy(original->Clone());
    auto* sound = dynamic_cast<effects::SoundEffect*>(copy.get());
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetChannel(), -1);
    EXPECT_TRUE(sound->IsLooping());
    EXPECT_FLOAT_EQ(sound->GetVolume(), 0.4f);
    EXPECT_FALSE(sound->IsPlaying());
    copy.reset();
    EXPECT_TRUE(device->stops.empty()) << "the clone must not halt its original's channel";

    std::unique_ptr<effects::Effect> started(original->Clone("ignored text"));
    started->Start(false);
    const int copy_channel = static_cast<effects::SoundEffect*>(started.get())->GetChannel();
    EXPECT_NE(copy_channel, channel);
    started.reset();
    original.reset();
    ASSERT_EQ(device->stops.size(), 2u);
    EXPECT_EQ(device->stops[0], copy_channel);
    EXPECT_EQ(device->stops[1], channel);
}

// A restart plays the sample again; a loop must not leave its old channel playing for ever.
TEST_F(SoundEffectTest, RestartReplacesALoopingChannel) {
    auto looping = Make("<sound sample='hum.ogg' loop='true'/>");
    looping->Start(false);
    const int first = looping->GetChannel();
    looping->Restart();
    ASSERT_EQ(device->plays.size(), 2u);
    EXPECT_NE(looping->GetChannel(), first);
    ASSERT_EQ(device->stops.size(), 1u);
    EXPECT_EQ(device->stops[0], first);

    auto once = Make("<sound sample='pop.ogg'/>");
    once->Start(false);
    once->Restart();
    EXPECT_EQ(device->plays.size(), 4u);
    EXPECT_EQ(device->stops.size(), 1u) << "a one-shot plays out";
}

TEST_F(SoundEffectTest, ManagerWithSoundsOffLeavesSoundsUnstarted) {
    TiXmlDocument document;
    document.Parse("<effect><sound sample='a.ogg'><sound sample='nested.ogg'/></sound></effect>");
    core::ptr<effects::Effect> tree(new effects::Effect(document.RootElement()));
    ASSERT_EQ(tree->GetChilds().size(), 1u);
    EXPECT_TRUE(tree->GetChilds()[0]->GetChilds().empty()) << "elements inside a sound are no children";

    effects::EffectManagerLocal muted;
    muted.SoundsOff(true);
    muted.StartEffect(core::ptr<effects::Effect>(tree->Clone()));
    EXPECT_TRUE(device->plays.empty());

    effects::EffectManagerLocal loud;
    loud.StartEffect(core::ptr<effects::Effect>(tree->Clone()));
    EXPECT_EQ(device->plays.size(), 1u);
}

}  // namespace
