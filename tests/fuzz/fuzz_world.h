#pragma once

// What the fuzz targets of drawing readers share: the engine set up once per process as the game sets it
// up, but on test doubles, so replaying needs neither a display nor a sound card.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "support/fake_audio_device.h"
#include "support/fake_platform.h"
#include "support/memory_source.h"
#include "support/png_writer.h"
#include "support/recording_render.h"
#include "vantle/audio/device.h"
#include "vantle/audio/sample_cache.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effects/register.h"
#include "vantle/io/loader.h"
#include "vantle/platform/platform.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/xmlcache.h"

namespace test {

// The recording renderer, a fake clock, a silent sound device and every effect kind, with the loader
// serving only files held in memory: the input under the name kInputName, and beside it a picture
// "t.png", a font "font.xml" drawn from it, a sprite "bird.xml" and a sound "pop.wav".
class FuzzWorld {
public:
    static constexpr const char* kInputName = "fuzz.xml";

    // Made on first use and kept for the whole process: the engine's singletons point into it.
    static FuzzWorld& Get() {
        static FuzzWorld* world = new FuzzWorld();
        return *world;
    }

    static FuzzWorld& Begin(const std::uint8_t* data, std::size_t size) {
        FuzzWorld& world = Get();
        world.Begin(std::string(reinterpret_cast<const char*>(data), size));
        return world;
    }

    // Serves the input, forgets whatever the previous input loaded, and puts the clock and the random
    // numbers back to where every input starts.
    void Begin(const std::string& input) {
        files->Put(kInputName, input);
        xml::XmlCache::instance()->Clear();
        render::TextureCache::instance()->Clear();
        render::FontCache::instance()->Clear();
        audio::SampleCache::instance()->Clear();
        renderer.ClearTextures();
        renderer.ClearRecord();
        sound->calls.clear();
        core::Random::Seed(kSeed);
        platform->SetTicks(kStartTicks);
        // A fresh frame clock: the old one would refuse to go back to the start.
        utils::Timer::destroy();
        At(0);
    }

    // Moves the frame clock to t ms after the input's start; returns that frame time.
    unsigned int At(unsigned int t) {
        platform->SetTicks(kStartTicks + t);
        utils::Timer::instance()->Update();
        return utils::Timer::instance()->GetTime();
    }

    // Ends a drawn frame: effects must have put the shared transform and colour back.
    void FrameDrawn() {
        effects::CurrentEffectMatrix* current = effects::CurrentEffectMatrix::instance();
        FuzzCheck(current->GetMatrix() == math::Matrix4::IDENTITY &&
                      current->GetColor() == render::Color(1.0f, 1.0f, 1.0f, 1.0f),
                  "drawing leaves the effect state as it was");
        renderer.ClearRecord();
    }

    core::ptr<MemorySource> files{new MemorySource()};
    RecordingRender renderer;
    // Owned by their facades.
    FakeAudioDevice* sound = new FakeAudioDevice();
    FakePlatform* platform = new FakePlatform();

private:
    static constexpr unsigned int kSeed = 20261207;
    static constexpr unsigned int kStartTicks = 1000;
    static constexpr unsigned int kPictureSide = 16;

    FuzzWorld() {
        platform::Platform::instance()->SetImplementation(platform);
        render::Render::instance()->SetImplementation(&renderer);
        audio::Device::instance()->SetImplementation(sound);
        effects::RegisterEffects();
        io::Loader* loader = io::Loader::instance();
        loader->ClearSources();
        loader->AddSource(files);
        std::vector<std::uint8_t> rgba;
        for (unsigned int i = 0; i < kPictureSide * kPictureSide; ++i) {
            rgba.insert(rgba.end(),
                        {static_cast<std::uint8_t>(i), 200, 100, static_cast<std::uint8_t>(i * 7)});
        }
        const std::vector<std::uint8_t> png = EncodePng(kPictureSide, kPictureSide, rgba);
        files->Put("t.png", std::string(png.begin(), png.end()));
        files->Put("font.xml",
                   "<font filename='t.png' size='16'><char id='65' x='0' y='0' w='8' h='8' xadvance='8'/>"
                   "<char id='66' x='8' y='0' w='8' h='16' xoffset='1' xadvance='7'/>"
                   "<kerning first='65' second='66' amount='-1'/></font>");
        files->Put(
            "bird.xml",
            "<sprite w='8' h='4'><animation name='fly' default='1' loop='1'>"
            "<frame texture='t.png' length='100'/><frame color='ffff00' length='50'/></animation></sprite>");
        files->Put("pop.wav", "RIFF");
    }
};

}  // namespace test
