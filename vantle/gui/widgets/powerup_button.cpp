#include "vantle/gui/widgets/powerup_button.h"

#include <tinyxml.h>

#include "vantle/effects/effect.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/input/mouse.h"
#include "vantle/math/mat4.h"
#include "vantle/render/render.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

constexpr float kFull = 1.0f;
// Single precision, as the wipe sums its steps.
constexpr float kTwoPi = 6.2831855f;
constexpr float kSector = 0.5235988f;
// The wipe's edge reaches 1.5 heights from the centre: the whole rect for widths up to 2.8 heights.
constexpr float kEdgeLength = 1.5f;
const render::Color kMaskColor(1.0f, 1.0f, 1.0f, 1.0f);

TiXmlElement* Child(TiXmlElement* element, const char* name) {
    return element ? element->FirstChildElement(name) : nullptr;
}

core::ptr<render::Tile> ReadTile(TiXmlElement* element, const char* name) {
    TiXmlElement* child = Child(element, name);
    return child ? core::ptr<render::Tile>(new render::Tile(child)) : core::ptr<render::Tile>();
}

math::Matrix4 Turn(float angle) {
    return math::Matrix4().Rotate(angle, 0.0f, 0.0f, 1.0f);
}

}  // namespace

PowerupButton::PowerupButton(TiXmlElement* element) : ClickableWindow(element) {
    LoadChilds(element, false);
    if (const char* powerup_name = xml::FindText(element, "powerup")) {
        name = powerup_name;
        powerup = game::CurrentPowerupSet::instance()->Get(name);
        if (powerup) {
            level = powerup->GetLevel();
            fill = powerup->GetFill();
        }
    }
    ready_effect = LoadEffect(Child(element, "ready_effect"));
    not_ready_effect = LoadEffect(Child(element, "not_ready_effect"));
    mouse_effect = LoadEffect(Child(element, "mouse_effect"));
    disabled = ReadTile(element, "disabled");
    unavailable = ReadTile(element, "unavailable");
    LoadLevels(Child(element, "levels"));
}

Window* CreatePowerupButton(TiXmlElement* element) {
    return new PowerupButton(element);
}

void PowerupButton::Register() {
    WindowFactory::instance()->Register("powerup_button", &CreatePowerupButton);
    WindowFactory::instance()->Register("powerupbutton", &CreatePowerupButton);
}

void PowerupButton::LoadLevels(TiXmlElement* levels_element) {
    if (!levels_element) return;
    for (TiXmlElement* look = levels_element->FirstChildElement("level"); look;
         look = look->NextSiblingElement("level")) {
        levels.push_back(LevelState{ReadTile(look, "back"), ReadTile(look, "front"), ReadTile(look, "normal"),
                                    ReadTile(look, "active"), ReadTile(look, "pressed")});
    }
}

void PowerupButton::Update() {
    const core::ptr<game::Powerup> current = game::CurrentPowerupSet::instance()->Get(name);
    if (current.get() != powerup.get()) powerup = current;
    if (!powerup) return;
    const unsigned int previous_level = level;
    const float previous_fill = fill;
    level = powerup->GetLevel();
    fill = powerup->GetFill();
    if (ChargeCompleted(previous_level, previous_fill)) PlayEffect(ready_effect, Centre());
}

bool PowerupButton::ChargeCompleted(unsigned int previous_level, float previous_fill) const {
    return (previous_fill < kFull && fill >= kFull) || previous_level < level;
}

void PowerupButton::OnMouseDown(const math::Vector2&) {
    if (!powerup) return;
    if (powerup->GetFill() < kFull && powerup->GetLevel() == 0) {
        PlayEffect(not_ready_effect, Centre());
        return;
    }
    // The handler may reload the set; the power-up stays held for the rest of the press.
    const core::ptr<game::Powerup> pressed = powerup;
    CallHandler("on_activate");
    game::CurrentPowerupSet::instance()->Select(pressed->GetName());
    if (!mouse_effect) return;
    const core::ptr<effects::Effect> clone(mouse_effect->Clone());
    clone->MoveTo(input::Mouse::instance()->GetPosition());
    effects::EffectManager::instance()->StartMouseEffect(clone);
}

void PowerupButton::PlayEffect(const core::ptr<effects::Effect>& prototype, const math::Vector2& at) {
    if (!prototype) return;
    const core::ptr<effects::Effect> clone(prototype->Clone());
    clone->MoveTo(at);
    effects::EffectManager::instance()->StartEffect(clone);
}

math::Vector2 PowerupButton::Centre() const {
    return math::Vector2((rect.left + rect.right) * 0.5f, (rect.top + rect.bottom) * 0.5f);
}

void PowerupButton::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    if (!powerup) {
        DrawTile(renderer, unavailable ? unavailable : disabled);
        return;
    }
    if (level == 0) DrawTile(renderer, disabled);
    if (level >= levels.size()) return;
    DrawCharge(renderer);
    if (level == 0 && fill < kFull) return;
    DrawTile(renderer, OverlayTile());
}

void PowerupButton::DrawTile(render::IRender& renderer, const core::ptr<render::Tile>& tile) const {
    if (tile) renderer.DrawRect(rect, *tile);
}

void PowerupButton::DrawCharge(render::IRender& renderer) const {
    const LevelState& look = levels[level];
    DrawTile(renderer, look.back);
    if (!look.front) return;
    if (fill >= kFull) {
        DrawTile(renderer, look.front);
    } else {
        DrawChargeWipe(renderer, *look.front);
    }
}

const core::ptr<render::Tile>& PowerupButton::OverlayTile() const {
    // Charged: this level's look; charging: the look of the level banked before it.
    const LevelState& look = levels[fill >= kFull || level == 0 ? level : level - 1];
    if (click_state == STATE_ACTIVE) return look.active;
    if (click_state == STATE_PRESSED) return look.pressed;
    return look.normal;
}

void PowerupButton::DrawChargeWipe(render::IRender& renderer, const render::Tile& tile) const {
    renderer.ClearStencil();
    renderer.EnableStencil();
    renderer.StencilSetWriteMode();
    renderer.SetBlendingMode(render::IRender::BLEND_KEEP);
    DrawWipeMask(renderer);
    renderer.StencilSetUseMode();
    renderer.SetBlendingMode(render::IRender::BLEND_ALPHA);
    renderer.DrawRect(rect, tile);
    renderer.DisableStencil();
}

// One triangle per started twelfth of the turn, from twelve o'clock clockwise (y grows downwards).
void PowerupButton::DrawWipeMask(render::IRender& renderer) const {
    const math::Vector2 centre = Centre();
    const float total = fill * kTwoPi;
    const math::Matrix4 step = Turn(kSector);
    math::Vector2 edge(0.0f, -kEdgeLength * rect.Height());
    float swept = 0.0f;
    if (total > kSector) {
        swept = kSector;
        for (;;) {
            const math::Vector2 next = step * edge;
            renderer.DrawTri(centre, centre + edge, centre + next, kMaskColor);
            edge = next;
            if (!(total > swept + kSector)) break;
            swept += kSector;
        }
    }
    renderer.DrawTri(centre, centre + edge, centre + Turn(total - swept) * edge, kMaskColor);
}

}  // namespace gui
