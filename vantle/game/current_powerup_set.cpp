#include "vantle/game/current_powerup_set.h"

#include <limits>

#include "vantle/game/users.h"

namespace game {

namespace {

const char kTokens[] = "tokens";
const char kPowerups[] = "powerups";

unsigned int Tokens(const User& user) {
    return user.Get(kTokens).as_uint32();
}

void SetTokens(User& user, unsigned int tokens) {
    user.Set(kTokens, core::Value(tokens));
}

// A refund that would wrap round would leave the player almost nothing.
unsigned int AddTokens(unsigned int tokens, unsigned int refund) {
    const unsigned int room = std::numeric_limits<unsigned int>::max() - tokens;
    return refund > room ? std::numeric_limits<unsigned int>::max() : tokens + refund;
}

}  // namespace

CurrentPowerupSet::CurrentPowerupSet() {
    Reload();
}

void CurrentPowerupSet::Reload() {
    const core::ptr<User> user = Users::instance()->GetSelectedUser();
    if (user) Load(user->Get(kPowerups).as_string());
}

bool CurrentPowerupSet::Buy(const std::string& name) {
    const core::ptr<User> user = Users::instance()->GetSelectedUser();
    if (!user) return false;
    const std::optional<unsigned int> price = NextLevelPrice(name);
    const unsigned int tokens = Tokens(*user);
    if (!price || *price > tokens) return false;
    // The tokens first: observers told of the new charge see the purchase whole.
    SetTokens(*user, tokens - *price);
    if (const core::ptr<Powerup> held = Get(name)) {
        held->SetMaxLevel(held->GetMaxLevel() + 1);
        return true;
    }
    const core::ptr<Powerup> bought(new Powerup(PowerupDefinitionTable::instance()->Get(name)));
    powerups[name] = bought;
    bought->Reset();
    return true;
}

bool CurrentPowerupSet::Sell(const std::string& name) {
    const core::ptr<User> user = Users::instance()->GetSelectedUser();
    const core::ptr<Powerup> held = Get(name);
    if (!user || !held) return false;
    SetTokens(*user, AddTokens(Tokens(*user), held->GetPrice()));
    if (held->GetMaxLevel() == 0) {
        powerups.erase(name);
    } else {
        held->SetMaxLevel(held->GetMaxLevel() - 1);
    }
    return true;
}

std::vector<std::string> CurrentPowerupSet::CanBuy() const {
    std::vector<std::string> names;
    const core::ptr<User> user = Users::instance()->GetSelectedUser();
    if (!user) return names;
    const unsigned int tokens = Tokens(*user);
    for (const std::string& name : PowerupDefinitionTable::instance()->GetAllNames()) {
        const std::optional<unsigned int> price = NextLevelPrice(name);
        if (price && *price <= tokens) names.push_back(name);
    }
    return names;
}

std::optional<unsigned int> CurrentPowerupSet::NextLevelPrice(const std::string& name) const {
    const core::ptr<PowerupDefinition> definition = PowerupDefinitionTable::instance()->Get(name);
    // A definition without levels has nothing to sell.
    if (!definition || definition->GetLevelCount() == 0) return std::nullopt;
    const core::ptr<Powerup> held = Get(name);
    if (!held) return definition->GetPrice(0);
    const unsigned int next = held->GetMaxLevel() + 1;
    if (next >= definition->GetLevelCount()) return std::nullopt;
    return definition->GetPrice(next);
}

}  // namespace game
