#include "effect_kinds_fixture.h"

#include <cmath>

#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/register.h"
#include "vantle/render/render.h"

namespace test {

namespace {
constexpr unsigned int kSeed = 20261207;
}  // namespace

void EffectKindsTest::SetUp() {
    clock.Start();
    render::Render::instance()->SetImplementation(&renderer);
    effects::RegisterEffects();
    core::Random::Seed(kSeed);
}

void EffectKindsTest::TearDown() {
    render::Render::instance()->SetImplementation(nullptr);
    effects::CurrentEffectMatrix* current = effects::CurrentEffectMatrix::instance();
    EXPECT_EQ(current->GetMatrix(), math::Matrix4::IDENTITY) << "the current effect state was left changed";
    EXPECT_EQ(current->GetColor(), render::Color(1, 1, 1, 1)) << "the current effect colour was left changed";
}

TiXmlElement* EffectKindsTest::Parse(const std::string& xml) {
    _documents.emplace_back(new TiXmlDocument());
    TiXmlDocument& document = *_documents.back();
    document.Parse(xml.c_str());
    EXPECT_FALSE(document.Error()) << document.ErrorDesc() << " in " << xml;
    return document.RootElement();
}

core::ptr<effects::Effect> EffectKindsTest::Create(const std::string& xml) {
    return core::ptr<effects::Effect>(effects::EffectFactory::instance()->Create(Parse(xml)));
}

math::Vector2 Apply(const math::Matrix4& matrix, float x, float y) {
    return matrix * math::Vector2(x, y);
}

::testing::AssertionResult NearPoint(const math::Vector2& actual, float x, float y, float tolerance) {
    if (std::fabs(actual.x - x) <= tolerance && std::fabs(actual.y - y) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ") is not near (" << x << ", " << y << ")";
}

}  // namespace test
