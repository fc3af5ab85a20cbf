#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vantle/core/singleton.h"
#include "vantle/game/powerup_set.h"

namespace game {

// The selected player's power-ups and the shop that buys and sells their levels for the player's tokens.
// It follows the player's option "powerups" only when reloaded. Buy and Sell change the player's "tokens"
// in memory; storing the new text form and saving the players file is the caller's.
//
// The game uses the one instance (core::Singleton); separate instances serve tests.
class CurrentPowerupSet : public PowerupSet, public core::Singleton<CurrentPowerupSet> {
public:
    // Reloads from the selected player, when there is one.
    CurrentPowerupSet();

    // Loads the selected player's option "powerups"; nothing with no player selected.
    void Reload();
    bool IsEmpty() const { return powerups.empty(); }

    // Buys the next level of the power-up of that name (level 0 when not held) for the player's tokens.
    // False, changing nothing, with no player selected, for a name not in the power-up table, without
    // enough tokens, or with the last level owned.
    bool Buy(const std::string& name);
    // Gives back the price of the max level and lowers it, dropping a power-up sold at level 0. False
    // with no player selected or when the set holds none of that name.
    bool Sell(const std::string& name);
    // The names of the power-up table that Buy would now succeed with, in ascending order.
    std::vector<std::string> CanBuy() const;

private:
    // What buying the next level of that name costs; nothing when there is no level to buy.
    std::optional<unsigned int> NextLevelPrice(const std::string& name) const;
};

}  // namespace game
