// The localisation table, read from a file through the loader and the XML cache as the game reads it,
// then asked for messages, fonts and textures.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "support/memory_source.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"
#include "vantle/xml/xmlcache.h"

namespace {

const char kFileName[] = "data/i18n/en.xml";
const char* const kKeys[] = {"a", "b", " a ", "title", "", "f", "t"};

core::ptr<test::MemorySource> ServeFromMemory() {
    core::ptr<test::MemorySource> files(new test::MemorySource());
    io::Loader::instance()->ClearSources();
    io::Loader::instance()->AddSource(files);
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const core::ptr<test::MemorySource> files = ServeFromMemory();
    files->Put(kFileName, std::string(reinterpret_cast<const char*>(data), size));
    xml::XmlCache::instance()->Clear();

    i18n::MessageTable table;
    table.Load(kFileName);
    // Loading again replaces the messages and keeps the rest: the same answers.
    const std::string first = table.GetMsg("a") + table.GetFontName("f") + table.GetTextureName("t");
    table.Load(kFileName);
    test::FuzzCheck(table.GetMsg("a") + table.GetFontName("f") + table.GetTextureName("t") == first,
                    "loading the same file again gives the same answers");
    for (const char* key : kKeys) {
        table.GetMsg(key);
        table.GetFontName(key);
        table.GetTextureName(key);
    }
    const std::string unknown = "a key no file holds";
    test::FuzzCheck(table.GetMsg(unknown) == unknown, "an unknown key is its own message");
    test::FuzzCheck(table.GetFontName(unknown) == unknown, "an unknown font keeps its name");
    return 0;
}
