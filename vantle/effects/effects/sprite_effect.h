#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"

class TiXmlElement;

namespace game {
class Sprite;
}

namespace effects {

// Shows a game sprite loaded from the sprite file "filename", its top-left corner at the effect's
// position. Plays until stopped. Copies share the one sprite, so they all show the same frame.
class SpriteEffect : public Effect {
public:
    explicit SpriteEffect(TiXmlElement* element);

    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    // Nothing without a sprite.
    void Render() override;
    bool IsPlaying() const override;

    const core::ptr<game::Sprite>& GetSprite() const { return sprite; }

    static void Register();

private:
    SpriteEffect(const SpriteEffect&) = default;

    core::ptr<game::Sprite> sprite;
};

Effect* SpriteEffectCreate(TiXmlElement* element);

}  // namespace effects
