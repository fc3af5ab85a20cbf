#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/value.h"
#include "vantle/game/powerup_definition.h"

namespace game {

// A power-up the player owns: its kind, the highest level bought and a charge timer. During play it
// charges one step per level up to the level bought; the board uses it at the level charged so far. The
// charge of the step in progress is published as the context value of its name followed by "_fill".
//
// Times are the frame clock's milliseconds, differences taken in unsigned arithmetic.
class Powerup {
public:
    Powerup() = default;
    explicit Powerup(const core::ptr<PowerupDefinition>& definition);
    // The text form "name:max level": the name is looked up in the power-up table (no definition when it
    // is not there), a missing or non-numeric level reads as 0.
    explicit Powerup(const std::string& text);

    // "" without a definition.
    std::string GetName() const;
    const core::ptr<PowerupDefinition>& GetDefinition() const { return definition; }
    // The charge step in progress, or the level reached once fully charged.
    unsigned int GetLevel() const { return level; }
    unsigned int GetMaxLevel() const { return maxLevel; }
    // The charge of the step in progress, 0 to 1; 1 once fully charged.
    float GetFill() const { return fill; }
    // Lowered to the last level. Nothing without a definition; a definition without levels keeps 0.
    void SetMaxLevel(unsigned int max_level);
    // Lowered to the last level, then to the max level. Nothing without a definition or levels.
    void SetLevel(unsigned int new_level);
    // The price of the max level: what selling it gives back. 0 without a definition.
    unsigned int GetPrice() const;
    // The option of the level charged so far; unset while nothing is charged or without a definition.
    core::Value GetOption(const std::string& name) const;

    // Advances the charge to `time`; nothing while paused or fully charged.
    void Update(unsigned int time);
    // Starts charging again from step 0 at `time`, unpaused.
    void Reset(unsigned int time);
    // Reset at the frame clock's current time.
    void Reset();
    void Pause(unsigned int time);
    // Moves the charge on by the paused interval, so that it does not count; nothing when not paused.
    void Resume(unsigned int time);
    // Told when it becomes or stops being the selected power-up.
    void OnSelect() {}

    // "name:max level"; ":max level" without a definition.
    std::string ToString() const;

private:
    bool HasLevels() const { return definition && definition->GetLevelCount() > 0; }
    unsigned int StepFillingTime() const;
    void CompleteStep(unsigned int time);
    void Publish() const;

    core::ptr<PowerupDefinition> definition;
    unsigned int level = 0;
    unsigned int maxLevel = 0;
    // Until the first Reset: a fresh step at time 0.
    unsigned int fillingTime = PowerupDefinition::kDefaultFillingTime;
    unsigned int fillStart = 0;
    unsigned int pauseTime = 0;
    float fill = 0.0f;
    bool paused = false;
};

}  // namespace game
