// The level-set file as the game reads it: the bytes stand in for "data/levels.xml" behind the loader.
// Loading neither crashes nor hangs, every level found can be looked at, and the set is saved and read
// back with the same levels.

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/fuzz_files.h"
#include "support/memory_source.h"
#include "vantle/core/ptr.h"
#include "vantle/game/levelset.h"
#include "vantle/io/loader.h"
#include "vantle/xml/xmlcache.h"

namespace {

const char* const kLevels = "data/levels.xml";

// The input, served under the level-set name; other names go to the file system.
const core::ptr<test::MemorySource> input(new test::MemorySource());

std::string SavedPath() {
    return fuzz::Folder() + "/levels.xml";
}

bool Install() {
    io::Loader* loader = io::Loader::instance();
    loader->ClearSources();
    loader->AddSource(input);
    loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
    // Every input is a new file under the same names.
    xml::XmlCache::instance()->AddNeverCached(kLevels);
    xml::XmlCache::instance()->AddNeverCached(SavedPath());
    return true;
}

core::ptr<game::LevelSet::Level> At(const game::LevelSet& set, unsigned int index) {
    return set.GetLevel(static_cast<int>(index));
}

void LookAt(const game::LevelSet& set) {
    for (unsigned int i = 0; i < set.GetLevelCount(); ++i) {
        const core::ptr<game::LevelSet::Level> level = At(set, i);
        test::FuzzCheck(level && level->id == i, "a level's id is its index");
        level->GetBonus("remove_row");
        level->Get("map").as_string();
        level->Get("time_limit").as_uint32();
        set.GetNextLevel(static_cast<int>(i));
    }
}

// Whole UTF-8 without zero bytes: the saved file's declaration names no encoding, so it reads back as
// UTF-8, and a zero byte (from a character reference) ends a text file.
bool IsPlainUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead == 0             ? 0
                              : lead < 0x80         ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
        }
        i += length;
    }
    return true;
}

bool Writable(const game::LevelSet& set) {
    for (unsigned int i = 0; i < set.GetLevelCount(); ++i) {
        if (!IsPlainUtf8(At(set, i)->ToXML())) return false;
    }
    return true;
}

void CheckSaveReadsBack(const game::LevelSet& set) {
    if (!Writable(set)) return;
    set.Save(SavedPath());
    game::LevelSet reread;
    reread.Load(SavedPath());
    test::FuzzCheck(reread.GetLevelCount() == set.GetLevelCount(), "as many levels read back");
    for (unsigned int i = 0; i < set.GetLevelCount() && i < reread.GetLevelCount(); ++i) {
        test::FuzzCheck(At(reread, i)->ToXML() == At(set, i)->ToXML(), "the same level read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = Install();
    (void)installed;
    input->Put(kLevels, std::string(reinterpret_cast<const char*>(data), size));
    game::LevelSet set;
    set.Load(kLevels);
    LookAt(set);
    set.MoveLevelUp(0);
    set.MoveLevelDown(1);
    // A move keeps the ids, which the writer keeps too.
    CheckSaveReadsBack(set);
    return 0;
}
