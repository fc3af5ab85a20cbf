#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/options.h"
#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/core/value.h"

class TiXmlElement;

namespace game {

// One kind of power-up: what each upgrade level costs, how long it charges and the options the board
// performs it with. Level 0 comes first.
class PowerupDefinition {
public:
    // How long a step charges when nothing says otherwise, in ms.
    static constexpr unsigned int kDefaultFillingTime = 1000;

    // One upgrade level: its options (such as "count" or "halfwidth"), price and charge times.
    class Level : public core::Options {
    public:
        Level() = default;
        // A "level" element: "price", "option" children and the first "filling_time" child.
        explicit Level(TiXmlElement* element);

        unsigned int GetPrice() const { return price; }
        // The charge time in ms at that index; past the end the last one; 1000 when there are none.
        unsigned int GetFillingTime(unsigned int index) const;

    private:
        unsigned int price = 0;
        std::vector<unsigned int> fillingTimes;
    };

    PowerupDefinition() = default;
    // A "powerup" element: its "name" and its "level" children in order.
    explicit PowerupDefinition(TiXmlElement* element);

    const std::string& GetName() const { return name; }
    unsigned int GetLevelCount() const { return static_cast<unsigned int>(levels.size()); }
    // 0 past the last level.
    unsigned int GetPrice(unsigned int level) const;
    // Unset past the last level or when the level has no such option.
    core::Value GetOption(unsigned int level, const std::string& name) const;
    // How long the step of `level` charges when levels up to `max_level` are owned: the level's filling
    // time at index max_level - level. 1000 past the last level.
    unsigned int GetFillingTime(unsigned int level, unsigned int max_level) const;

private:
    std::vector<Level> levels;
    std::string name;
};

// Every power-up definition by name, read once at start-up from the power-up table. The game uses the
// one instance; separate instances serve tools and tests.
class PowerupDefinitionTable : public core::Singleton<PowerupDefinitionTable> {
public:
    PowerupDefinitionTable() = default;

    // Reads the table file's "powerup" elements, each replacing a definition of its name; the others stay.
    // A missing file changes nothing silently; one that does not parse is logged and changes nothing.
    void Load(const std::string& path);
    // Empty when there is none of that name.
    core::ptr<PowerupDefinition> Get(const std::string& name) const;
    // Ascending byte order.
    std::vector<std::string> GetAllNames() const;

private:
    std::map<std::string, core::ptr<PowerupDefinition>> _definitions;
};

}  // namespace game
