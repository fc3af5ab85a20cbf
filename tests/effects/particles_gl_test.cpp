#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effect_kinds_fixture.h"
#include "support/frame_clock.h"
#include "support/gl_window.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/effects/effects/register.h"
#include "vantle/render/texture_cache.h"

namespace {

class ParticlesOnGL : public test::GLTest {};

TEST_F(ParticlesOnGL, DrawsItsParticlesInTheirColour) {
    test::FrameClock clock;
    clock.Start();
    effects::RegisterEffects();
    test::TempDir dir;
    const std::string texture = dir.File("white.png");
    ASSERT_TRUE(test::WriteFile(texture, test::EncodePng(4, 4, std::vector<std::uint8_t>(4 * 4 * 4, 0xFF))));

    // Motionless particles, one unit right of and below the emitter, each a 40 by 40 quad.
    const std::string xml =
        "<particle_system texture='" + texture +
        "' w='40' h='40' start_color='FF0000FF' end_color='FF0000FF'>"
        "<emitter count='3' energy='10'><speed min='0' max='0'/></emitter></particle_system>";
    TiXmlDocument document;
    document.Parse(xml.c_str());
    core::ptr<effects::Effect> system(effects::EffectFactory::instance()->Create(document.RootElement()));
    ASSERT_TRUE(system);
    system->MoveTo(math::Vector2(400, 300));
    system->Start(false);
    system->Update(clock.At(16));
    system->Render();

    EXPECT_TRUE(test::NearColor(PixelAt(401, 301), 255, 0, 0, 8));
    EXPECT_TRUE(test::NearColor(PixelAt(415, 315), 255, 0, 0, 8));
    EXPECT_TRUE(test::NearColor(PixelAt(440, 301), 0, 0, 0, 8));
    EXPECT_TRUE(test::NearColor(PixelAt(100, 100), 0, 0, 0, 8));

    system.reset();
    render::TextureCache::instance()->Clear();
}

}  // namespace
