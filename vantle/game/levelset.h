#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/options.h"
#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/io/stream.h"
#include "vantle/math/quad2.h"

class TiXmlElement;

namespace game {

// The campaign: every level of a level-set file in one flat list in document order, whatever episode
// it stands in, so that a level's id is its index; episodes are kept beside the list by their id.
// Loading never fails towards the caller: what cannot be read is logged and the set keeps what it had.
class LevelSet : public core::Singleton<LevelSet> {
public:
    // One level: its options (time limit, colours, map and the rest) plus a few fields of its own and its
    // bonus-ball settings by name. Shared: a level outlives a reload while somebody holds it.
    class Level : public core::Options {
    public:
        // One bonus kind's weight and delay; a plain value.
        class BonusOption {
        public:
            // Named "unknown", prob 0, delay 0.
            BonusOption();
            BonusOption(const std::string& name_, unsigned int prob_, unsigned int delay_);
            // The defaults, then "name", "prob" and "delay" where present.
            explicit BonusOption(TiXmlElement* element);

            std::string GetName() const { return name; }
            unsigned int GetProb() const { return prob; }
            unsigned int GetDelay() const { return delay; }
            // One empty "bonus" element with "name", "prob" and "delay".
            std::string ToXML() const;

        private:
            std::string name;
            unsigned int prob;
            unsigned int delay;
        };

        // Reads a "level" (or "episode") element. A level that ends its reading with uid 0 takes a new uid
        // from the set; without a set it keeps 0.
        Level(TiXmlElement* element, LevelSet* set);
        virtual ~Level() = default;

        // A copy of the named setting, or the defaults; never adds one.
        BonusOption GetBonus(const std::string& name_) const;
        // Stored under the given name, whatever the option's own name says.
        void SetBonus(const std::string& name_, const BonusOption& option);
        // The level as the set's writer emits it: attributes, options, bonuses; no map points.
        std::string ToXML() const;

        // The level's index in the set; 0xFFFFFFFF until it joins one.
        unsigned int id = 0xFFFFFFFF;
        unsigned int uid = 0;
        unsigned int revision = 0;
        std::string name;
        math::Quad2 map_tc;
        std::map<std::string, BonusOption> bonuses;
    };

    // Read like a level, but never given a uid from the set.
    class Episode : public Level {
    public:
        explicit Episode(TiXmlElement* element);
    };

    // No levels, no episodes, no name, last uid 1.
    LevelSet();

    // Replaces the levels and episodes by those of a level-set file found through the loader. The root's
    // "name" and "last_uid" replace the set's where present. A missing or broken file changes nothing.
    void Load(const std::string& path);
    // The same from a stream, without reading "last_uid"; an empty pointer changes nothing.
    void Load(const core::ptr<io::IStream>& stream);
    // Adds the element's episodes and levels to the set without clearing it.
    void Load(TiXmlElement* element);
    // Writes "last_uid" and every level in list order; the name, episodes and map points are not written.
    // Names and values are escaped, so the file always reads back.
    void Save(const std::string& path) const;

    // Empty when the index is outside the list.
    core::ptr<Level> GetLevel(int index) const;
    // The level after the index; empty after the last one and for an index outside the list.
    core::ptr<Level> GetNextLevel(int index) const;
    // Exchange the level with its follower or its predecessor; ids stay as they were until the next load.
    void MoveLevelUp(int index);
    void MoveLevelDown(int index);

    unsigned int GetLevelCount() const { return static_cast<unsigned int>(levels.size()); }
    const std::map<int, core::ptr<Episode>>& GetEpisodes() const { return episodes; }
    const std::string& GetName() const { return name; }
    unsigned int GetLastUid() const { return last_uid; }

private:
    // The root's children, after its attributes were taken and the set cleared.
    void Replace(TiXmlElement* root);
    void AddEpisode(TiXmlElement* element);
    void AddLevel(TiXmlElement* element);
    bool HasIndex(int index) const { return index >= 0 && static_cast<size_t>(index) < levels.size(); }

    std::map<int, core::ptr<Episode>> episodes;
    std::vector<core::ptr<Level>> levels;
    std::string name;
    unsigned int last_uid = 1;
};

}  // namespace game
