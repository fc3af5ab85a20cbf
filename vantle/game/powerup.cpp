#include "vantle/game/powerup.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "vantle/core/context.h"
#include "vantle/core/strutils.h"
#include "vantle/utils/timer.h"

namespace game {

namespace {

const float kAlmostFull = std::nextafter(1.0f, 0.0f);

}  // namespace

Powerup::Powerup(const core::ptr<PowerupDefinition>& definition) : definition(definition) {}

Powerup::Powerup(const std::string& text) {
    const std::vector<std::string> pieces = core::str_split(text, ":", 0);
    definition = PowerupDefinitionTable::instance()->Get(pieces[0]);
    SetMaxLevel(pieces.size() > 1 ? core::str2unsigned(pieces[1]) : 0);
}

std::string Powerup::GetName() const {
    return definition ? definition->GetName() : std::string();
}

void Powerup::SetMaxLevel(unsigned int max_level) {
    // Without levels there is no last level to lower to: the power-up stays at 0 and never charges.
    if (!HasLevels()) return;
    maxLevel = std::min(max_level, definition->GetLevelCount() - 1);
}

void Powerup::SetLevel(unsigned int new_level) {
    if (!HasLevels()) return;
    level = std::min({new_level, definition->GetLevelCount() - 1, maxLevel});
}

unsigned int Powerup::GetPrice() const {
    return definition ? definition->GetPrice(maxLevel) : 0;
}

core::Value Powerup::GetOption(const std::string& name) const {
    if (!definition) return core::Value();
    if (fill >= 1.0f) return definition->GetOption(level, name);
    if (level == 0) return core::Value();
    return definition->GetOption(level - 1, name);
}

void Powerup::Update(unsigned int time) {
    if (paused || fill >= 1.0f) return;
    // A definition without levels offers nothing to use, so it never charges.
    if (definition && !HasLevels()) return;
    const unsigned int elapsed = time - fillStart;
    if (elapsed < fillingTime) {
        // Floats round a step of many hours to 1 near its end, which would read as fully charged.
        fill = std::min(static_cast<float>(elapsed) / static_cast<float>(fillingTime), kAlmostFull);
    } else {
        CompleteStep(time);
    }
    Publish();
}

void Powerup::CompleteStep(unsigned int time) {
    // The max level was lowered (sold) after this step began: what charged so far stays usable.
    if (level > maxLevel) {
        fillStart = 0;
        fill = 1.0f;
        return;
    }
    fill = level == maxLevel ? 1.0f : 0.0f;
    if (level < maxLevel) ++level;
    fillStart = time;
    fillingTime = StepFillingTime();
}

void Powerup::Reset(unsigned int time) {
    level = 0;
    fill = 0.0f;
    paused = false;
    fillStart = time;
    fillingTime = StepFillingTime();
    Publish();
}

void Powerup::Reset() {
    Reset(utils::Timer::instance()->GetTime());
}

void Powerup::Pause(unsigned int time) {
    pauseTime = time;
    paused = true;
}

void Powerup::Resume(unsigned int time) {
    if (!paused) return;
    paused = false;
    fillStart += time - pauseTime;
}

std::string Powerup::ToString() const {
    return GetName() + ":" + core::unsigned2str(maxLevel);
}

unsigned int Powerup::StepFillingTime() const {
    return definition ? definition->GetFillingTime(level, maxLevel) : PowerupDefinition::kDefaultFillingTime;
}

void Powerup::Publish() const {
    core::Context::instance()->Set(GetName() + "_fill", core::Value(fill));
}

}  // namespace game
