// The data archive: its table read from memory with and without preloading, then the archive opened the
// way the game opens it, through the loader, with its entries served by name.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "support/memory_source.h"
#include "support/read_whole.h"
#include "vantle/io/loader.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/pak.h"
#include "vantle/io/pak_src.h"

namespace {

const char kArchiveName[] = "data.pak";

void CheckEntries(io::Pak& pak, unsigned int archive_size) {
    for (const io::Pak::Entry& entry : pak.List()) {
        const core::ptr<io::IStream> window = pak.Get(entry.name);
        test::FuzzCheck(static_cast<bool>(window), "a listed entry opens");
        test::FuzzCheck(window->Size() <= archive_size, "an entry lies inside the archive");
        test::FuzzCheck(test::ReadWhole(window).size() == window->Size(), "a kept entry reads back whole");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const core::ptr<test::MemorySource> files(new test::MemorySource());
    std::string archive(reinterpret_cast<const char*>(data), size);
    const unsigned int archive_size = static_cast<unsigned int>(size);

    io::Pak pak;
    pak.Read(core::ptr<io::IStream>(new io::MemoryStream(&archive[0], archive_size)), false);
    CheckEntries(pak, archive_size);
    io::Pak preloaded;
    preloaded.Read(core::ptr<io::IStream>(new io::MemoryStream(&archive[0], archive_size)), true);
    CheckEntries(preloaded, archive_size);

    files->Put(kArchiveName, archive);
    io::Loader* loader = io::Loader::instance();
    loader->ClearSources();
    loader->AddSource(files);
    loader->AddSource(core::ptr<io::Loader::Source>(new io::PakFileSource(kArchiveName)));
    for (const io::Pak::Entry& entry : pak.List()) {
        // The archive's own name is answered by the memory before the archive is asked.
        if (entry.name == kArchiveName) continue;
        const std::string served = test::ReadWhole(loader->Load(entry.name));
        test::FuzzCheck(served == test::ReadWhole(pak.Get(entry.name)),
                        "the loader serves the first entry of the name whole");
    }
    loader->ClearSources();
    return 0;
}
