#include "vantle/game/powerup_definition.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace game {

namespace {

const char kParseErrorPrefix[] = "Error loading powerup table: ";

// Names the file and line, so that whoever edits the table finds the entry.
void LogSkipped(const TiXmlElement* element, const char* what) {
    const TiXmlDocument* document = element->GetDocument();
    core::Log::instance()->Write("Powerup table %s: %s on line %d is skipped",
                                 document ? document->Value() : "", what, element->Row());
}

}  // namespace

PowerupDefinition::Level::Level(TiXmlElement* element) : core::Options(element) {
    price = xml::ReadUnsigned(element, "price", 0);
    TiXmlElement* times = element ? element->FirstChildElement("filling_time") : nullptr;
    if (!times) return;
    for (TiXmlElement* entry = times->FirstChildElement("level"); entry;
         entry = entry->NextSiblingElement("level")) {
        if (!xml::Has(entry, "time")) {
            LogSkipped(entry, "a filling time without \"time\"");
            continue;
        }
        fillingTimes.push_back(xml::ReadUnsigned(entry, "time", 0));
    }
}

unsigned int PowerupDefinition::Level::GetFillingTime(unsigned int index) const {
    if (fillingTimes.empty()) return kDefaultFillingTime;
    return index < fillingTimes.size() ? fillingTimes[index] : fillingTimes.back();
}

PowerupDefinition::PowerupDefinition(TiXmlElement* element) {
    name = xml::ReadText(element, "name");
    if (!element) return;
    for (TiXmlElement* level = element->FirstChildElement("level"); level;
         level = level->NextSiblingElement("level")) {
        levels.emplace_back(level);
    }
}

unsigned int PowerupDefinition::GetPrice(unsigned int level) const {
    return level < levels.size() ? levels[level].GetPrice() : 0;
}

core::Value PowerupDefinition::GetOption(unsigned int level, const std::string& option) const {
    return level < levels.size() ? levels[level].Get(option) : core::Value();
}

unsigned int PowerupDefinition::GetFillingTime(unsigned int level, unsigned int max_level) const {
    if (level >= levels.size()) return kDefaultFillingTime;
    return levels[level].GetFillingTime(max_level - level);
}

void PowerupDefinitionTable::Load(const std::string& path) {
    const core::ptr<TiXmlDocument> document = xml::Load(path, kParseErrorPrefix);
    if (!document) return;
    TiXmlNode* root_node = document->FirstChild("powerups");
    TiXmlElement* root = root_node ? root_node->ToElement() : nullptr;
    if (!root) return;
    for (TiXmlElement* element = root->FirstChildElement("powerup"); element;
         element = element->NextSiblingElement("powerup")) {
        core::ptr<PowerupDefinition> definition(new PowerupDefinition(element));
        // A nameless entry would be offered in the shop under no name at all.
        if (definition->GetName().empty()) {
            LogSkipped(element, "a powerup without a name");
            continue;
        }
        _definitions[definition->GetName()] = definition;
    }
}

core::ptr<PowerupDefinition> PowerupDefinitionTable::Get(const std::string& name) const {
    const auto found = _definitions.find(name);
    return found == _definitions.end() ? core::ptr<PowerupDefinition>() : found->second;
}

std::vector<std::string> PowerupDefinitionTable::GetAllNames() const {
    std::vector<std::string> names;
    names.reserve(_definitions.size());
    for (const auto& entry : _definitions) names.push_back(entry.first);
    return names;
}

}  // namespace game
