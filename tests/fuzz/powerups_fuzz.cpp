// Power-up tables as a fuzzer makes them: loading neither crashes nor hangs, every definition answers
// for any level, and a power-up of each charges to its top level in one step per level.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/fuzz_files.h"
#include "vantle/game/powerup.h"
#include "vantle/game/powerup_definition.h"
#include "vantle/xml/xmlcache.h"

namespace {

const char kTableName[] = "powerups.xml";
// Levels past the last are asked too; the charge test stops after this many definitions, because
// every name charged leaves a value in the context store.
const unsigned int kLevelsPastTheLast = 2;
const unsigned int kChargedDefinitions = 4;

void CheckLevels(const game::PowerupDefinition& definition) {
    const unsigned int count = definition.GetLevelCount();
    for (unsigned int level = count; level < count + kLevelsPastTheLast; ++level) {
        test::FuzzCheck(definition.GetPrice(level) == 0, "no price past the last level");
        test::FuzzCheck(
            definition.GetFillingTime(level, level) == game::PowerupDefinition::kDefaultFillingTime,
            "the default filling time past the last level");
        test::FuzzCheck(definition.GetOption(level, "count").get_type() == core::Value::UNSET,
                        "no options past the last level");
    }
}

// One Update at the exact end of every step, wrapping clock included, completes it.
void CheckCharge(const core::ptr<game::PowerupDefinition>& definition) {
    game::Powerup powerup(definition);
    powerup.SetMaxLevel(0xFFFFFFFFu);
    const unsigned int count = definition->GetLevelCount();
    test::FuzzCheck(count == 0 ? powerup.GetMaxLevel() == 0 : powerup.GetMaxLevel() == count - 1,
                    "the max level is the last level");
    unsigned int time = 0xFFFFFF00u;
    powerup.Reset(time);
    if (count == 0) return;
    for (unsigned int step = 0; step <= powerup.GetMaxLevel(); ++step) {
        test::FuzzCheck(powerup.GetFill() < 1.0f, "not charged before its last step");
        time += definition->GetFillingTime(powerup.GetLevel(), powerup.GetMaxLevel());
        powerup.Update(time);
    }
    test::FuzzCheck(powerup.GetFill() == 1.0f && powerup.GetLevel() == powerup.GetMaxLevel(),
                    "charged to the max level after one step per level");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ServeInput(kTableName, data, size);
    xml::XmlCache::instance()->Clear();

    game::PowerupDefinitionTable table;
    table.Load(kTableName);
    const std::vector<std::string> names = table.GetAllNames();
    unsigned int charged = 0;
    for (const std::string& name : names) {
        const core::ptr<game::PowerupDefinition> definition = table.Get(name);
        test::FuzzCheck(definition && definition->GetName() == name && !name.empty(),
                        "stored under its own name");
        CheckLevels(*definition);
        if (charged++ < kChargedDefinitions) CheckCharge(definition);
    }
    return 0;
}
