#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/game/powerup.h"

namespace game {

// Power-ups by name and the name of the selected one. Its text form, the power-ups' text forms in name
// order joined by ";" (such as "recolor:2;rnd_bombs:0"), is what a player's option "powerups" keeps.
class PowerupSet {
public:
    PowerupSet() = default;
    explicit PowerupSet(const std::string& text);

    // Empty when the set holds none of that name.
    core::ptr<Powerup> Get(const std::string& name) const;
    // "" when none is selected. It may name a power-up the set does not hold.
    const std::string& GetSelectedName() const { return selected; }
    // Tells the power-ups that stop and start being selected; "" clears the selection.
    void Select(const std::string& name);

    // Clears the selection and restarts every power-up's charge.
    void Reset(unsigned int time);
    // Restarts the charge of that power-up only, as when it has been used.
    void Reset(const std::string& name, unsigned int time);
    void Pause(unsigned int time);
    void Resume(unsigned int time);
    void Update(unsigned int time);

    // Merges a text form: power-ups held already keep their charge and take the new max level, new ones
    // start charging at the frame clock's time, and those the text does not name are dropped. Empty
    // pieces are skipped; the selection stays.
    void Load(const std::string& text);
    std::string Save() const;

protected:
    // The held power-ups, copied out: publishing a charge tells observers, which may change the set.
    std::vector<core::ptr<Powerup>> Snapshot() const;

    std::map<std::string, core::ptr<Powerup>> powerups;
    std::string selected;
};

}  // namespace game
