#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/fake_audio_device.h"
#include "support/frame_clock.h"
#include "support/gl_window.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/audio/device.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/effects/effects/register.h"
#include "vantle/io/loader.h"

namespace {

// Like the mixer device: a channel is never reported playing, so one-shot sounds end at once.
class SilentAudioDevice : public test::FakeAudioDevice {
public:
    bool ChannelPlaying(int) override { return false; }
};

// A square PNG of one colour.
std::vector<std::uint8_t> Plain(unsigned int side, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> rgba;
    for (unsigned int i = 0; i < side * side; ++i) rgba.insert(rgba.end(), {r, g, b, 255});
    return test::EncodePng(side, side, rgba);
}

// Every element name the factory knows, each at least once. The tree is not moved as a whole: every node
// stands where its element puts it.
const char kEffect[] = R"(<effect>
  <effect><sound sample='pop.wav' volume='0.5'/></effect>
  <fly x='100' y='300' to_x='600' to_y='300' speed='400'>
    <image x='100' y='300' texture='red.png' w='60' h='60'/>
    <text x='100' y='300' font='font.xml' text='AB' color='ffffffff'/>
    <sprite x='100' y='300' filename='bird.xml'/>
    <sound sample='hum.wav' loop='true'/>
    <finish_effect>
      <particle_system texture='white.png' w='6' h='6' start_color='0000ffff' end_color='0000ff40'>
        <emitter count='40'><speed min='20' max='40'/></emitter>
      </particle_system>
    </finish_effect>
  </fly>
  <affine x='400' y='100'>
    <key tm='0'><scale x='1' y='1'/><color value='00ff00'/></key>
    <key tm='1000'><scale x='1' y='1'/><color value='00ff00'/></key>
    <image x='400' y='100' texture='white.png' w='40' h='40'/>
  </affine>
  <affine>
    <key tm='0'><scale x='1' y='1'/></key>
    <key tm='1200'><scale x='1' y='1'/></key>
    <boids x='680' y='120' count='4' filename='bird.xml' min_speed='40' max_speed='120'>
      <bound left='620' top='60' right='760' bottom='200'/>
    </boids>
  </affine>
  <random_effect x='200' y='500' count='2' cycles_count='3' period='300'>
    <running_effects>
      <particle_system texture='white.png' w='4' h='4' start_color='ff00ffff' end_color='ff00ff40'>
        <particle_emitter count='10'/>
      </particle_system>
      <affine>
        <key tm='0'><scale x='1' y='1'/><color value='ff00ff'/></key>
        <key tm='300'><scale x='1' y='1'/><color value='ff00ff'/></key>
        <image texture='white.png' w='10' h='10'/>
      </affine>
    </running_effects>
  </random_effect>
  <random_runner x='600' y='500' count='1' cycles_count='2' period='250'>
    <points><p x='0' y='0'/><p x='-40' y='0'/></points>
    <running_effect>
      <particle_system texture='white.png' w='4' h='4' start_color='00ffffff' end_color='00ffff40'>
        <particle_emitter count='8'/>
      </particle_system>
    </running_effect>
  </random_runner>
</effect>)";

const char kFont[] =
    "<font filename='glyphs.png' size='64'>"
    "<char id='65' x='0' y='0' w='10' h='12' xadvance='10'/>"
    "<char id='66' x='10' y='0' w='6' h='12' xadvance='6'/>"
    "</font>";

const char kBird[] =
    "<sprite w='8' h='4'>"
    "<animation name='fly' default='1' loop='1'><frame color='ffff00' length='100'/></animation>"
    "</sprite>";

class AllEffectKinds : public test::GLTest {
protected:
    void SetUp() override {
        test::GLTest::SetUp();
        dir.Write("all.xml", kEffect);
        dir.Write("font.xml", kFont);
        dir.Write("bird.xml", kBird);
        ASSERT_TRUE(test::WriteFile(dir.File("glyphs.png"), Plain(64, 255, 255, 255)));
        ASSERT_TRUE(test::WriteFile(dir.File("white.png"), Plain(8, 255, 255, 255)));
        ASSERT_TRUE(test::WriteFile(dir.File("red.png"), Plain(8, 255, 0, 0)));
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(dir.Path() + "/")));
        // One device per process: the facade deletes only the last one installed.
        audio::Device* device = audio::Device::instance();
        if (!device->GetImplementation()) device->SetImplementation(new SilentAudioDevice);
        audio = dynamic_cast<SilentAudioDevice*>(device->GetImplementation());
        ASSERT_NE(audio, nullptr);
        audio->calls.clear();
        core::Random::Seed(5);
        effects::RegisterEffects();
    }

    // Draws one frame at t ms after the start.
    void Frame(unsigned int t) {
        clock.At(t);
        effects::EffectManager::instance()->Update();
        Renderer().Clear();
        effects::EffectManager::instance()->Render();
    }

    // Whether some pixel of the box, every step-th one each way, passes the test.
    bool AnyPixel(int left, int top, int right, int bottom,
                  const std::function<bool(const render::Color&)>& test, int step = 2) {
        for (int y = top; y <= bottom; y += step) {
            for (int x = left; x <= right; x += step) {
                if (test(PixelAt(x, y))) return true;
            }
        }
        return false;
    }

    bool Called(const std::string& call) const {
        for (const auto& c : audio->calls) {
            if (c == call) return true;
        }
        return false;
    }

    test::TempDir dir;
    test::FrameClock clock;
    SilentAudioDevice* audio = nullptr;
};

bool Yellow(const render::Color& c) {
    return c.r > 200 && c.g > 200 && c.b < 60;
}
bool Blue(const render::Color& c) {
    return c.b > 100 && c.r < 60 && c.g < 60;
}
bool Magenta(const render::Color& c) {
    return c.r > 100 && c.b > 100 && c.g < 60;
}
bool Cyan(const render::Color& c) {
    return c.g > 100 && c.b > 100 && c.r < 60;
}

TEST_F(AllEffectKinds, AFileOfEveryKindRunsDrawsAndEnds) {
    effects::Effect prototype(std::string("all.xml"));
    ASSERT_EQ(prototype.GetChilds().size(), 6u);

    clock.Start();
    effects::EffectManager* manager = effects::EffectManager::instance();
    ASSERT_EQ(manager->GetEffectCount(), 0u);
    manager->StartEffect(core::ptr<effects::Effect>(prototype.Clone()));
    EXPECT_TRUE(Called("Play(sample) 0.5 once"));
    EXPECT_TRUE(Called("Play(sample) -1 loop"));

    unsigned int t = 0;
    for (t = 20; t < 500; t += 20) Frame(t);
    Frame(t);
    // Half way: the fly carries its picture, text and sprite through (300, 300).
    EXPECT_TRUE(test::NearColor(PixelAt(325, 325), 255, 0, 0, 10)) << "image in flight";
    EXPECT_TRUE(test::NearColor(PixelAt(296, 305), 255, 255, 255, 10)) << "text in flight";
    EXPECT_TRUE(test::NearColor(PixelAt(302, 301), 255, 255, 0, 10)) << "sprite in flight";
    EXPECT_TRUE(test::NearColor(PixelAt(400, 100), 0, 255, 0, 10)) << "image tinted by its affine";
    EXPECT_TRUE(AnyPixel(560, 20, 799, 240, Yellow)) << "flock";
    EXPECT_TRUE(AnyPixel(100, 400, 300, 600, Magenta)) << "random effect";
    EXPECT_TRUE(AnyPixel(500, 400, 700, 600, Cyan)) << "random runner";
    EXPECT_TRUE(test::NearColor(PixelAt(100, 300), 0, 0, 0, 10)) << "the start is left behind";

    for (t += 20; t < 1400; t += 20) Frame(t);
    Frame(t);
    // The flight has ended: its sound is halted and its finishing particles burst at the target.
    EXPECT_TRUE(Called("Stop 1"));
    EXPECT_TRUE(AnyPixel(540, 240, 660, 360, Blue)) << "finishing particles";
    EXPECT_FALSE(AnyPixel(560, 20, 799, 240, Yellow)) << "the flock went with its affine";

    for (t += 20; t < 10000 && manager->GetEffectCount() > 0; t += 20) Frame(t);
    EXPECT_EQ(manager->GetEffectCount(), 0u) << "still running after " << t << " ms";
    Frame(t + 20);
    EXPECT_FALSE(AnyPixel(
        0, 0, 799, 599, [](const render::Color& c) { return c.r + c.g + c.b > 30; }, 4));
}

}  // namespace
