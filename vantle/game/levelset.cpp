#include "vantle/game/levelset.h"

#include <tinyxml.h>

#include <iterator>
#include <utility>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/io/file.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace game {

namespace {

const char* const kParseErrorPrefix = "Error loading levelset: ";
// The document name a stream's text is parsed under.
const char* const kStreamDocument = "levelset";

TiXmlElement* FindRoot(TiXmlDocument& document) {
    TiXmlNode* root = document.FirstChild("levelset");
    return root ? root->ToElement() : nullptr;
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(name) + "=\"" + core::escape_xml(value) + "\"";
}

std::string Attribute(const char* name, unsigned int value) {
    return Attribute(name, core::unsigned2str(value));
}

const char* const kMapPoints[] = {"x0", "y0", "x1", "y1", "x2", "y2", "x3", "y3"};

// A point that is missing reads as 0, with a log line: the other seven still hold.
void ReadMapPoints(const TiXmlElement* element, const std::string& level, math::Quad2& quad) {
    for (size_t i = 0; i < std::size(kMapPoints); ++i) {
        const char* attribute = kMapPoints[i];
        if (!xml::Has(element, attribute)) {
            core::Log::instance()->Write("LevelSet: map_tc of level \"%s\" lacks %s", level.c_str(),
                                         attribute);
        }
        float& coordinate = i % 2 == 0 ? quad[i / 2].x : quad[i / 2].y;
        coordinate = xml::ReadFloat(element, attribute, 0.0f);
    }
}

}  // namespace

LevelSet::Level::BonusOption::BonusOption() : BonusOption("unknown", 0, 0) {}

LevelSet::Level::BonusOption::BonusOption(const std::string& name_, unsigned int prob_, unsigned int delay_)
    : name(name_), prob(prob_), delay(delay_) {}

LevelSet::Level::BonusOption::BonusOption(TiXmlElement* element) : BonusOption() {
    if (!element) return;
    name = xml::ReadText(element, "name", name);
    prob = xml::ReadUnsigned(element, "prob", prob);
    delay = xml::ReadUnsigned(element, "delay", delay);
}

std::string LevelSet::Level::BonusOption::ToXML() const {
    return "<bonus " + Attribute("name", name) + " " + Attribute("prob", prob) + " " +
           Attribute("delay", delay) + " />";
}

LevelSet::Level::Level(TiXmlElement* element, LevelSet* set) {
    if (element) {
        id = xml::ReadUnsigned(element, "id", id);
        name = xml::ReadText(element, "name", name);
        uid = xml::ReadUnsigned(element, "uid", uid);
        revision = xml::ReadUnsigned(element, "revision", revision);
    }
    if (uid == 0 && set) uid = ++set->last_uid;
    if (!element) return;
    core::Options::Load(element->FirstChildElement("options"));
    if (TiXmlElement* list = element->FirstChildElement("bonuses")) {
        for (TiXmlElement* child = list->FirstChildElement("bonus"); child;
             child = child->NextSiblingElement("bonus")) {
            const BonusOption bonus(child);
            bonuses[bonus.GetName()] = bonus;
        }
    }
    if (TiXmlElement* points = element->FirstChildElement("map_tc")) ReadMapPoints(points, name, map_tc);
}

LevelSet::Level::BonusOption LevelSet::Level::GetBonus(const std::string& name_) const {
    const auto found = bonuses.find(name_);
    return found == bonuses.end() ? BonusOption() : found->second;
}

void LevelSet::Level::SetBonus(const std::string& name_, const BonusOption& option) {
    bonuses[name_] = option;
}

std::string LevelSet::Level::ToXML() const {
    std::string xml = "<level " + Attribute("id", id) + " " + Attribute("name", name) + " " +
                      Attribute("uid", uid) + " " + Attribute("revision", revision) + ">\n";
    xml += core::Options::ToXML();
    xml += "<bonuses>\n";
    for (const auto& entry : bonuses) xml += entry.second.ToXML() + "\n";
    xml += "</bonuses>\n</level>\n";
    return xml;
}

LevelSet::Episode::Episode(TiXmlElement* element) : Level(element, nullptr) {}

LevelSet::LevelSet() = default;

void LevelSet::Load(const std::string& path) {
    core::Log::instance()->Write("LevelSet::Load %s", path.c_str());
    const core::ptr<TiXmlDocument> document = xml::Load(path, kParseErrorPrefix);
    if (!document) return;
    TiXmlElement* root = FindRoot(*document);
    if (!root) return;
    name = xml::ReadText(root, "name", name);
    last_uid = xml::ReadUnsigned(root, "last_uid", last_uid);
    Replace(root);
}

void LevelSet::Load(const core::ptr<io::IStream>& stream) {
    if (!stream) return;
    const core::ptr<TiXmlDocument> document = xml::Parse(kStreamDocument, io::ReadText(stream));
    if (xml::ReportParseError(*document, kParseErrorPrefix)) return;
    TiXmlElement* root = FindRoot(*document);
    if (!root) return;
    name = xml::ReadText(root, "name", name);
    Replace(root);
}

void LevelSet::Replace(TiXmlElement* root) {
    episodes.clear();
    levels.clear();
    Load(root);
}

void LevelSet::Load(TiXmlElement* element) {
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string tag = child->ValueStr();
        if (tag == "episode") {
            AddEpisode(child);
        } else if (tag == "level") {
            AddLevel(child);
        }
    }
}

void LevelSet::AddEpisode(TiXmlElement* element) {
    core::ptr<Episode> episode(new Episode(element));
    const int key = static_cast<int>(episode->id);
    if (!episodes.emplace(key, episode).second) {
        core::Log::instance()->Write("LevelSet: episode %d appears again; its levels still count", key);
    }
    // Its levels join the one flat list where they stand in the document.
    Load(element);
}

void LevelSet::AddLevel(TiXmlElement* element) {
    core::ptr<Level> level(new Level(element, this));
    level->id = static_cast<unsigned int>(levels.size());
    levels.push_back(level);
}

void LevelSet::Save(const std::string& path) const {
    std::string text = "<?xml version=\"1.0\"?>\n<levelset " + Attribute("last_uid", last_uid) + ">\n";
    for (const auto& level : levels) text += level->ToXML();
    text += "</levelset>\n";
    io::File file(path, io::File::kWrite);
    if (!file.IsOpened()) {
        core::Log::instance()->Write("LevelSet: can't write %s", path.c_str());
        return;
    }
    file.Write(text.data(), text.size());
}

core::ptr<LevelSet::Level> LevelSet::GetLevel(int index) const {
    return HasIndex(index) ? levels[static_cast<size_t>(index)] : core::ptr<Level>();
}

core::ptr<LevelSet::Level> LevelSet::GetNextLevel(int index) const {
    return HasIndex(index) ? GetLevel(index + 1) : core::ptr<Level>();
}

void LevelSet::MoveLevelUp(int index) {
    if (!HasIndex(index) || !HasIndex(index + 1)) return;
    std::swap(levels[static_cast<size_t>(index)], levels[static_cast<size_t>(index) + 1]);
}

void LevelSet::MoveLevelDown(int index) {
    if (index <= 0 || !HasIndex(index)) return;
    std::swap(levels[static_cast<size_t>(index)], levels[static_cast<size_t>(index) - 1]);
}

}  // namespace game
