#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/render/animation.h"

class TiXmlElement;

namespace effects {
class Animation;
class Effect;
}  // namespace effects

namespace game {

// The game's animated drawable: a screen rectangle with named animations, one of which plays, and child
// sprites drawn over it. Loaded once from a sprite file and cloned for every object that shows it; each
// clone runs on its own clock.
class Sprite : public math::Rect {
public:
    // Frames of tiles, optionally transformed and tinted by a key-frame animation about the rectangle's
    // centre, with an optional effect drawn under and one over them.
    class Animation {
    public:
        // One "animation" element; its under and over effects are started at once.
        explicit Animation(TiXmlElement* element);

        // Draws into rect at time ms after the animation's start.
        void Render(const math::Rect& rect, unsigned int time);
        // The longer of the frames and the key-frame animation.
        unsigned int GetLength() const;
        bool IsLooped() const;
        // A copy with its own frames and effects; the key-frame animation is shared.
        Animation* Clone() const;
        void SetSpeedScale(float scale) { frames.SetSpeedScale(scale); }
        // Hides the under and over effects; the key-frame transform still applies.
        void SetNoEffects(bool off) { noEffects = off; }

        const std::string& GetName() const { return name; }
        bool IsDefault() const { return isDefault; }
        bool HasNoEffects() const { return noEffects; }
        const render::Animation& GetFrames() const { return frames; }
        const core::ptr<effects::Animation>& GetAffine() const { return affine; }
        const core::ptr<effects::Effect>& GetUnderEffect() const { return underEffect; }
        const core::ptr<effects::Effect>& GetOverEffect() const { return overEffect; }

    private:
        Animation() = default;
        void RenderEffect(const core::ptr<effects::Effect>& effect, const math::Vector2& centre) const;
        // The frame of the time, under the key-frame state when there is one.
        void RenderFrame(const math::Rect& rect, unsigned int time, const math::Vector2& centre) const;

        std::string name;
        render::Animation frames;
        core::ptr<effects::Animation> affine;
        bool isDefault = false;
        core::ptr<effects::Effect> underEffect;
        core::ptr<effects::Effect> overEffect;
        bool noEffects = false;
    };

    Sprite() = default;
    // The sprite file's first "sprite" element. A missing or broken file gives an empty sprite (a broken
    // one logs a line); nothing is thrown.
    explicit Sprite(const std::string& path);
    // The rectangle from the element's attributes, then Load.
    explicit Sprite(TiXmlElement* element);
    virtual ~Sprite() = default;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Draws at the clock's time plus the sprite's shift.
    virtual void Render();
    virtual void Render(unsigned int time);
    // Returns a finished animation to the default one, then updates the children.
    virtual void Update(unsigned int time);
    virtual void Update();

    // Reads animations, child sprites and "max_shift" from a "sprite" element.
    void Load(TiXmlElement* element);
    // Replaces an animation of the same name.
    void AddAnimation(const core::ptr<Animation>& animation);
    // Switches to and restarts the named animation, here and in the children; an unknown name changes
    // nothing.
    void SetAnimation(const std::string& name);
    bool CurrentAnimationFinished() const;
    // A new sprite, owned by the caller, with its own animations, children and clock.
    Sprite* Clone() const;
    // Puts the top-left corner of the sprite and of every child at the point, keeping their sizes.
    void MoveTo(float x, float y);
    void MoveTo(const math::Vector2& point) { MoveTo(point.x, point.y); }
    // Keeps the top-left corner; the children keep their size.
    void Resize(const math::Vector2& size);
    void SetSpeedScale(float scale);
    // For this sprite's own animations only.
    void SetNoEffects(bool off);

    const std::map<std::string, core::ptr<Animation>>& GetAnimations() const { return animations; }
    const core::ptr<Animation>& GetCurrentAnimation() const { return current; }
    const core::ptr<Animation>& GetDefaultAnimation() const { return defaultAnimation; }
    const std::vector<core::ptr<Sprite>>& GetChildren() const { return children; }
    unsigned int GetStart() const { return start; }
    int GetShift() const { return shift; }
    unsigned int GetMaxShift() const { return maxShift; }
    float GetSpeedScale() const { return speedScale; }
    bool IsEmpty() const { return animations.empty() && children.empty(); }

private:
    void DrawShift();

    std::map<std::string, core::ptr<Animation>> animations;
    core::ptr<Animation> current;
    core::ptr<Animation> defaultAnimation;
    unsigned int start = 0;
    int shift = 0;
    unsigned int maxShift = 0;
    float speedScale = 1.0f;
    std::vector<core::ptr<Sprite>> children;
};

}  // namespace game
