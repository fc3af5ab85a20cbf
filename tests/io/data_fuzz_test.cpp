// Random and mutated archives, settings files and XML files through the loader and its users. Seeded,
// so every run sees the same inputs; a failure names the iteration to replay.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "io/pak_bytes.h"
#include "support/capture_log.h"
#include "support/fuzzer.h"
#include "support/read_whole.h"
#include "support/temp_dir.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/pak.h"
#include "vantle/io/pak_src.h"
#include "vantle/utils/config.h"
#include "vantle/xml/xmlcache.h"

namespace {

using test::Fuzzer;

const unsigned int kSeed = 20261207;

// A plain archive of a few entries with names that the mutations may damage.
std::string RandomArchive(Fuzzer& fuzzer, std::vector<std::string>& names) {
    std::string table, data;
    const unsigned int count = fuzzer.Below(5);
    for (unsigned int i = 0; i < count; ++i) {
        const std::string name = "data/" + std::to_string(i) + ".xml";
        const std::string bytes = fuzzer.Bytes(fuzzer.Below(40));
        table += test::Record(name, data.size(), bytes.size());
        data += bytes;
        names.push_back(name);
    }
    return test::Word(count) + table + data;
}

void ExpectEntriesInside(io::Pak& pak, unsigned int archive_size) {
    for (const io::Pak::Entry& entry : pak.List()) {
        const core::ptr<io::IStream> window = pak.Get(entry.name);
        ASSERT_TRUE(window);
        ASSERT_LE(window->Size(), archive_size);
        // A kept entry lies wholly inside the archive, so it reads back whole.
        EXPECT_EQ(test::ReadWhole(window).size(), window->Size()) << entry.name;
    }
}

TEST(DataFuzzTest, DamagedArchivesInMemory) {
    Fuzzer fuzzer(kSeed);
    test::CaptureLog log;
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> names;
        std::string bytes =
            fuzzer.OneIn(8) ? fuzzer.Bytes(fuzzer.Below(64)) : fuzzer.Mutate(RandomArchive(fuzzer, names));
        io::Pak pak;
        pak.Read(core::ptr<io::IStream>(new io::MemoryStream(&bytes[0], bytes.size())), fuzzer.OneIn(4));
        ExpectEntriesInside(pak, bytes.size());
        log.Clear();
    }
}

TEST(DataFuzzTest, DamagedArchivesThroughTheLoader) {
    Fuzzer fuzzer(kSeed + 1);
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.Path());
    dir.Write("data/0.xml", "folder copy");
    test::CaptureLog log;
    io::Loader* loader = io::Loader::instance();
    for (int i = 0; i < 500; ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> names;
        const std::string plain = fuzzer.Mutate(RandomArchive(fuzzer, names));
        dir.Write("data.pak", test::Scramble(plain));
        loader->ClearSources();
        loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
        loader->AddSource(core::ptr<io::Loader::Source>(new io::PakFileSource("data.pak")));
        // The folder copy always wins over whatever the archive holds.
        EXPECT_EQ(test::ReadWhole(loader->Load("data/0.xml")), "folder copy");
        for (const std::string& name : names) {
            const core::ptr<io::IStream> entry = loader->Load(name);
            if (!entry) continue;
            EXPECT_EQ(test::ReadWhole(entry).size(), entry->Size());
        }
        log.Clear();
    }
    loader->ClearSources();
    loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
}

TEST(DataFuzzTest, SettingsFilesAndSettingsRoundTrip) {
    Fuzzer fuzzer(kSeed + 2);
    test::TempDir dir;
    utils::Config::SetFilename(dir / "config.cfg");
    const std::string alphabet = std::string("ab =#\"\t\r\n\0", 10);
    test::CaptureLog log;
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE(i);
        dir.Write("config.cfg", fuzzer.Text(fuzzer.Below(80), alphabet));
        utils::Config config;
        std::string defaults = fuzzer.Mutate("sfx_volume = 1\r\nlanguage = en\r\n# comment\r\n");
        config.Load(core::ptr<io::IStream>(new io::MemoryStream(&defaults[0], defaults.size())), true);

        const std::string key = fuzzer.Text(1 + fuzzer.Below(6), alphabet);
        const std::string value = fuzzer.Text(fuzzer.Below(8), alphabet);
        const core::Value before = config.Get(key);
        config.Set(key, core::Value(value));
        const bool accepted =
            config.Get(key).as_string() == value && config.Get(key).get_type() == core::Value::STRING;

        // What the user's file now says must read back as the settings in force, and nothing more.
        utils::Config reloaded;
        reloaded.Load(core::ptr<io::IStream>(new io::MemoryStream(&defaults[0], defaults.size())), true);
        reloaded.Reload();
        if (accepted) {
            EXPECT_EQ(reloaded.Get(key).as_string(), value);
        } else {
            EXPECT_EQ(config.Get(key).as_string(), before.as_string());
        }
        for (const char* injected : {"a", "b", "ab", "ba"}) {
            if (key == injected) continue;
            EXPECT_EQ(reloaded.Get(injected).as_string(), config.Get(injected).as_string()) << injected;
        }
        log.Clear();
    }
    utils::Config::SetFilename("");
}

TEST(DataFuzzTest, MutatedLocalisationFiles) {
    Fuzzer fuzzer(kSeed + 3);
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.Path());
    const std::string good =
        "<?xml version=\"1.0\"?>\r\n<localization>\r\n<messages><m key=\"a\" msg=\"A\"/><m key=\"b\" "
        "msg=\"&amp;\"/>"
        "</messages><fonts><f key=\"f\" name=\"x.fnt\"/></fonts><textures><t key=\"t\" "
        "name=\"y.png\"/></textures>"
        "<!-- note --><![CDATA[<raw>]]></localization>\r\n";
    const std::string alphabet = "<>/=\"' !?-[]&;ax\r\n";
    test::CaptureLog log;
    i18n::MessageTable table;
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE(i);
        const std::string text =
            fuzzer.OneIn(4) ? fuzzer.Text(fuzzer.Below(120), alphabet) : fuzzer.Mutate(good);
        dir.Write("data/i18n/en.xml", text);
        xml::XmlCache::instance()->Clear();
        table.Load("data/i18n/en.xml");
        // Every lookup answers with an entry or the key itself.
        EXPECT_FALSE(table.GetFontName("f").empty());
        EXPECT_EQ(table.GetMsg("missing key"), "missing key");
        log.Clear();
    }
}

}  // namespace
