#include "vantle/game/powerup_set.h"

#include <set>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"

namespace game {

PowerupSet::PowerupSet(const std::string& text) {
    Load(text);
}

core::ptr<Powerup> PowerupSet::Get(const std::string& name) const {
    const auto found = powerups.find(name);
    return found == powerups.end() ? core::ptr<Powerup>() : found->second;
}

void PowerupSet::Select(const std::string& name) {
    if (name == selected) return;
    if (const core::ptr<Powerup> previous = Get(selected)) previous->OnSelect();
    if (const core::ptr<Powerup> next = Get(name)) next->OnSelect();
    selected = name;
}

void PowerupSet::Reset(unsigned int time) {
    selected.clear();
    for (const core::ptr<Powerup>& powerup : Snapshot()) powerup->Reset(time);
}

void PowerupSet::Reset(const std::string& name, unsigned int time) {
    if (const core::ptr<Powerup> powerup = Get(name)) powerup->Reset(time);
}

void PowerupSet::Pause(unsigned int time) {
    for (const core::ptr<Powerup>& powerup : Snapshot()) powerup->Pause(time);
}

void PowerupSet::Resume(unsigned int time) {
    for (const core::ptr<Powerup>& powerup : Snapshot()) powerup->Resume(time);
}

void PowerupSet::Update(unsigned int time) {
    for (const core::ptr<Powerup>& powerup : Snapshot()) powerup->Update(time);
}

void PowerupSet::Load(const std::string& text) {
    std::set<std::string> seen;
    std::vector<core::ptr<Powerup>> added;
    for (const std::string& piece : core::str_split(text, ";", 0)) {
        if (piece.empty()) continue;
        core::ptr<Powerup> loaded(new Powerup(piece));
        const std::string name = loaded->GetName();
        seen.insert(name);
        if (const core::ptr<Powerup> held = Get(name)) {
            held->SetMaxLevel(loaded->GetMaxLevel());
            continue;
        }
        core::Log::instance()->Write("Powerup loaded: %s", name.c_str());
        powerups[name] = loaded;
        added.push_back(loaded);
    }
    for (auto it = powerups.begin(); it != powerups.end();) {
        it = seen.count(it->first) ? std::next(it) : powerups.erase(it);
    }
    // Published last: observers told of a charge see the whole merged set.
    for (const core::ptr<Powerup>& powerup : added) powerup->Reset();
}

std::string PowerupSet::Save() const {
    std::string text;
    for (const auto& entry : powerups) {
        if (!text.empty()) text += ";";
        text += entry.second->ToString();
    }
    return text;
}

std::vector<core::ptr<Powerup>> PowerupSet::Snapshot() const {
    std::vector<core::ptr<Powerup>> held;
    held.reserve(powerups.size());
    for (const auto& entry : powerups) held.push_back(entry.second);
    return held;
}

}  // namespace game
