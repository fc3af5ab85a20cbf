// The level-set file as the game reads it: the bytes stand in for "data/levels.xml" behind the loader.
// Every level found is looked at, and the set is saved and read back, which must give the same levels.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vantle/core/ptr.h"
#include "vantle/game/levelset.h"
#include "vantle/io/loader.h"
#include "vantle/io/memory_stream.h"
#include "vantle/xml/xmlcache.h"

namespace {

const char* const kLevels = "data/levels.xml";

std::string input;

// Serves the current input under the level-set name and nothing else.
class InputSource : public io::Loader::Source {
public:
    core::ptr<io::IStream> Load(const std::string& name) override {
        if (name != kLevels) return core::ptr<io::IStream>();
        return core::ptr<io::IStream>(
            new io::MemoryStream(&input[0], static_cast<unsigned int>(input.size())));
    }
};

std::string saved_path;

void RemoveSaved() {
    std::remove(saved_path.c_str());
}

bool Install() {
    io::Loader* loader = io::Loader::instance();
    loader->ClearSources();
    loader->AddSource(core::ptr<io::Loader::Source>(new InputSource()));
    loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
    char name[] = "/tmp/levelset_fuzz_XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    saved_path = name;
    std::atexit(&RemoveSaved);
    xml::XmlCache::instance()->AddNeverCached(kLevels);
    xml::XmlCache::instance()->AddNeverCached(saved_path);
    return true;
}

void LookAt(const game::LevelSet& set) {
    for (unsigned int i = 0; i < set.GetLevelCount(); ++i) {
        const core::ptr<game::LevelSet::Level> level = set.GetLevel(static_cast<int>(i));
        level->GetBonus("remove_row");
        level->Get("map").as_string();
        level->Get("time_limit").as_uint32();
        set.GetNextLevel(static_cast<int>(i));
    }
}

// Whether the text is whole UTF-8 without zero bytes: the saved file's declaration names no encoding,
// so it reads back as UTF-8, and a zero byte (from a character reference) ends a text file's reading.
bool IsPlainUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead == 0) return false;
        const size_t length = lead < 0x80           ? 1
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
        if (!IsPlainUtf8(set.GetLevel(static_cast<int>(i))->ToXML())) return false;
    }
    return true;
}

void CheckSaveReadsBack(const game::LevelSet& set) {
    if (!Writable(set)) return;
    set.Save(saved_path);
    game::LevelSet reread;
    reread.Load(saved_path);
    if (reread.GetLevelCount() != set.GetLevelCount()) std::abort();
    for (unsigned int i = 0; i < set.GetLevelCount(); ++i) {
        const core::ptr<game::LevelSet::Level> a = set.GetLevel(static_cast<int>(i));
        const core::ptr<game::LevelSet::Level> b = reread.GetLevel(static_cast<int>(i));
        if (a->name != b->name || a->uid != b->uid || a->ToXML() != b->ToXML()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = Install();
    (void)installed;
    input.assign(reinterpret_cast<const char*>(data), size);
    game::LevelSet set;
    set.Load(kLevels);
    LookAt(set);
    set.MoveLevelUp(0);
    set.MoveLevelDown(1);
    CheckSaveReadsBack(set);
    return 0;
}
