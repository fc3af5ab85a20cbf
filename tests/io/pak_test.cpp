#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/pak_bytes.h"
#include "support/capture_log.h"
#include "support/read_whole.h"
#include "support/temp_dir.h"
#include "vantle/io/file.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/pak.h"

namespace {

core::ptr<io::IStream> OpenRead(const std::string& path) {
    return core::ptr<io::IStream>(new io::File(path, io::File::kRead));
}

struct MemoryFile {
    std::string bytes;
    core::ptr<io::IStream> Stream() {
        return core::ptr<io::IStream>(new io::MemoryStream(&bytes[0], bytes.size()));
    }
};

TEST(PakTest, ReadsAHandWrittenArchive) {
    test::TempDir dir;
    dir.Write("data.pak", test::Scramble(test::TwoEntryArchive()));
    io::Pak pak;
    pak.Read(OpenRead(dir / "data.pak"), false);

    const std::vector<io::Pak::Entry> list = pak.List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "a");
    EXPECT_EQ(list[0].size, 3u);
    EXPECT_EQ(list[1].name, "bc");
    EXPECT_EQ(list[1].size, 5u);
    EXPECT_FALSE(list[0].stream);

    const core::ptr<io::IStream> bc = pak.Get("bc");
    ASSERT_TRUE(bc);
    EXPECT_EQ(bc->GetFilename(), "bc");
    EXPECT_EQ(test::ReadWhole(bc), "hello");
    EXPECT_EQ(test::ReadWhole(pak.Get("a")), "xyz");
    EXPECT_FALSE(pak.Get("b"));
    EXPECT_FALSE(pak.Get("A"));
}

TEST(PakTest, WritesTheSameBytesByHand) {
    MemoryFile a{"xyz"}, bc{"hello"};
    io::Pak pak;
    pak.Add("a", a.Stream());
    pak.Add("bc", bc.Stream());
    const std::vector<io::Pak::Entry> list = pak.List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].offset, 3u);

    test::TempDir dir;
    core::ptr<io::IStream> out(new io::File(dir / "out.pak", io::File::kWrite));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(pak.Write(out));
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    out.reset();

    const std::string written = dir.Read("out.pak");
    EXPECT_EQ(written.size(), 39u);
    EXPECT_EQ(written, test::Scramble(test::TwoEntryArchive()));
    EXPECT_EQ(diagnostics,
              "writing pak\nwrote size 2\nheader \n"
              "writing item a\nsize 3\nreading src done\nwriting to pak done\ndone\n"
              "writing item bc\nsize 5\nreading src done\nwriting to pak done\ndone\n");
}

TEST(PakTest, PacksFilesByTheirNamesAndReadsThemBack) {
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.Path());
    dir.Write("data/levels.xml", "<levelset/>");
    dir.Write("data/empty.txt", "");
    io::Pak pak;
    pak.Add("data/levels.xml", core::ptr<io::IStream>());
    pak.Add("data/empty.txt", core::ptr<io::IStream>());
    pak.Add("data/missing.png", core::ptr<io::IStream>());
    testing::internal::CaptureStderr();
    // The missing file leaves no bytes but the archive stays consistent.
    pak.Write(core::ptr<io::IStream>(new io::File(std::string("packed.pak"), io::File::kWrite)));
    testing::internal::GetCapturedStderr();

    io::Pak back;
    back.Read(OpenRead("packed.pak"), false);
    ASSERT_EQ(back.List().size(), 3u);
    EXPECT_EQ(test::ReadWhole(back.Get("data/levels.xml")), "<levelset/>");
    EXPECT_EQ(test::ReadWhole(back.Get("data/empty.txt")), "");
    EXPECT_EQ(back.Get("data/missing.png")->Size(), 0u);
}

TEST(PakTest, FilesChangedAfterMeasuringKeepTheTableRight) {
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.Path());
    dir.Write("grows.txt", "abc");
    dir.Write("shrinks.txt", "12345");
    dir.Write("last.txt", "end");
    io::Pak pak;
    for (const char* name : {"grows.txt", "shrinks.txt", "last.txt"}) pak.Add(name, core::ptr<io::IStream>());
    dir.Write("grows.txt", "abcdefgh");
    dir.Write("shrinks.txt", "12");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(pak.Write(core::ptr<io::IStream>(new io::File(std::string("out.pak"), io::File::kWrite))));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("short read of shrinks.txt"), std::string::npos);

    io::Pak back;
    back.Read(OpenRead("out.pak"), false);
    EXPECT_EQ(test::ReadWhole(back.Get("grows.txt")), "abc");
    EXPECT_EQ(test::ReadWhole(back.Get("shrinks.txt")), std::string("12\0\0\0", 5));
    EXPECT_EQ(test::ReadWhole(back.Get("last.txt")), "end");
}

TEST(PakTest, WriteToAClosedDestinationWritesNothing) {
    io::Pak pak;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(pak.Write(core::ptr<io::IStream>(new io::File(std::string("/nonexistent/dir/x.pak"), 2))));
    EXPECT_FALSE(pak.Write(core::ptr<io::IStream>()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "writing pak\ndst is not opened\nwriting pak\ndst is not opened\n");
}

TEST(PakTest, DuplicateNamesAddRemoveAndClear) {
    MemoryFile one{"1"}, two{"22"}, three{"333"};
    io::Pak pak;
    pak.Add("x", one.Stream());
    pak.Add("x", two.Stream());
    pak.Add("y", three.Stream());
    pak.Remove("x");
    std::vector<io::Pak::Entry> list = pak.List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].size, 2u);
    EXPECT_EQ(list[0].offset, 0u);
    EXPECT_EQ(list[1].offset, 2u);
    pak.Remove("nothing");
    EXPECT_EQ(pak.List().size(), 2u);
    pak.Clear();
    EXPECT_TRUE(pak.List().empty());

    test::TempDir dir;
    dir.Write("dup.pak",
              test::Scramble(test::Word(2) + test::Record("x", 0, 1) + test::Record("x", 1, 1) + "AB"));
    io::Pak read;
    read.Read(OpenRead(dir / "dup.pak"), false);
    EXPECT_EQ(test::ReadWhole(read.Get("x")), "A");
}

TEST(PakTest, EmptyTableStartsDataAfterTheCount) {
    test::TempDir dir;
    dir.Write("empty.pak", test::Scramble(test::Word(0) + "junk"));
    io::Pak pak;
    pak.Read(OpenRead(dir / "empty.pak"), false);
    EXPECT_TRUE(pak.List().empty());
    EXPECT_FALSE(pak.Get(""));
}

TEST(PakTest, PreloadingKeepsTheBytesInMemory) {
    test::TempDir dir;
    dir.Write("data.pak", test::Scramble(test::TwoEntryArchive()));
    io::Pak pak;
    pak.Read(OpenRead(dir / "data.pak"), true);
    EXPECT_EQ(test::ReadWhole(pak.Get("bc")), "hello");
    EXPECT_EQ(test::ReadWhole(pak.Get("a")), "xyz");
}

TEST(PakTest, EntriesReadIndependentlyOfEachOther) {
    test::TempDir dir;
    dir.Write("data.pak", test::Scramble(test::TwoEntryArchive()));
    io::Pak pak;
    pak.Read(OpenRead(dir / "data.pak"), false);
    const core::ptr<io::IStream> a = pak.Get("a");
    const core::ptr<io::IStream> bc = pak.Get("bc");
    std::string text_a(a->Size(), '\0');
    std::string text_bc(bc->Size(), '\0');
    EXPECT_EQ(bc->Read(&text_bc[0], 1), 1u);
    EXPECT_EQ(a->Read(&text_a[0], text_a.size() + 10), text_a.size());
    EXPECT_EQ(bc->Read(&text_bc[1], text_bc.size() + 10), text_bc.size() - 1);
    EXPECT_EQ(text_a, "xyz");
    EXPECT_EQ(text_bc, "hello");
}

struct DamagedCase {
    const char* name;
    std::string plain;
    std::vector<std::string> kept;
};

TEST(PakTest, DamagedTablesEndQuicklyAndKeepWholeEntries) {
    const std::string two = test::TwoEntryArchive();
    const std::vector<DamagedCase> cases = {
        {"huge count, nothing after", test::Word(0xFFFFFFFFu), {}},
        {"huge count over two records", test::Word(0xFFFFFFFFu) + two.substr(4), {"a", "bc"}},
        {"name past the end", test::Word(1) + test::Word(0x7FFFFFFFu) + "abc", {}},
        {"name length at the limit", test::Word(1) + test::Word(0xFFFFFFFFu) + "abcdefgh", {}},
        {"record cut inside its size", test::Word(1) + test::Word(1) + "a" + test::Word(0) + "\x01", {}},
        {"count field cut short", std::string("\x02\x00", 2), {}},
        {"empty file", std::string(), {}},
        {"second entry past the end",
         test::Word(2) + test::Record("a", 0, 3) + test::Record("bc", 3, 500) + "xyzhello",
         {"a"}},
        {"offset past the end",
         test::Word(2) + test::Record("a", 0xFFFFFFF0u, 0x20) + test::Record("bc", 3, 5) + "xyzhello",
         {"bc"}},
        {"truncated data", two.substr(0, two.size() - 1), {"a"}},
        {"table longer than its count",
         test::Word(1) + test::Record("a", 0, 3) + test::Record("bc", 3, 5) + "xyzhello",
         {"a"}},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        dir.Write("bad.pak", test::Scramble(c.plain));
        test::CaptureLog log;
        io::Pak pak;
        pak.Read(OpenRead(dir / "bad.pak"), false);
        std::vector<std::string> names;
        for (const io::Pak::Entry& entry : pak.List()) names.push_back(entry.name);
        EXPECT_EQ(names, c.kept);
        EXPECT_LE(log.Lines().size(), 2u);
        for (const std::string& name : c.kept) {
            const core::ptr<io::IStream> entry = pak.Get(name);
            EXPECT_EQ(test::ReadWhole(entry).size(), entry->Size());
        }
    }
}

TEST(PakTest, EntriesBeyondTheEndAreDroppedWithOneLine) {
    test::TempDir dir;
    std::string plain =
        test::Word(3) + test::Record("a", 0, 3) + test::Record("b", 3, 99) + test::Record("c", 50, 1) + "xyz";
    dir.Write("bad.pak", test::Scramble(plain));
    test::CaptureLog log;
    io::Pak pak;
    pak.Read(OpenRead(dir / "bad.pak"), false);
    EXPECT_EQ(pak.List().size(), 1u);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_TRUE(log.Contains("dropped 2 entries"));
}

// Memory streams keep their bytes as they are, so these archives are written unscrambled.
TEST(PakTest, TheFirstEntryOfANameWins) {
    const struct {
        const char* what;
        std::string plain;
        const char* name;
        const char* expected;  // null: not found
    } cases[] = {
        {"three of one name",
         test::Word(3) + test::Record("x", 0, 1) + test::Record("x", 1, 1) + test::Record("x", 2, 1) + "ABC",
         "x", "A"},
        {"the first lies beyond the end",
         test::Word(2) + test::Record("x", 5, 1) + test::Record("x", 1, 1) + "AB", "x", "B"},
        {"among others",
         test::Word(3) + test::Record("a", 0, 1) + test::Record("b", 1, 1) + test::Record("a", 2, 1) + "ABC",
         "b", "B"},
        {"no such name", test::Word(1) + test::Record("a", 0, 1) + "A", "b", nullptr},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        test::CaptureLog log;
        io::Pak pak;
        pak.Read(core::ptr<io::IStream>(new io::MemoryStream(&c.plain[0], c.plain.size())), false);
        const core::ptr<io::IStream> entry = pak.Get(c.name);
        if (!c.expected) {
            EXPECT_FALSE(entry);
            continue;
        }
        ASSERT_TRUE(entry);
        EXPECT_EQ(test::ReadWhole(entry), c.expected);
    }
}

TEST(PakTest, NamesAreFoundAfterAddingRemovingAndClearing) {
    MemoryFile one{"1"}, two{"22"}, three{"333"};
    io::Pak pak;
    pak.Add("x", one.Stream());
    pak.Add("y", two.Stream());
    pak.Add("x", three.Stream());
    pak.Remove("x");
    // What is left is "y" then the second "x", laid out again from 0.
    const std::string archive = test::Word(1) + test::Record("z", 0, 2) + "zz";
    std::string bytes = archive;
    pak.Read(core::ptr<io::IStream>(new io::MemoryStream(&bytes[0], bytes.size())), false);
    EXPECT_TRUE(pak.Get("x"));
    EXPECT_TRUE(pak.Get("y"));
    EXPECT_EQ(test::ReadWhole(pak.Get("z")), "zz");
    pak.Clear();
    EXPECT_FALSE(pak.Get("x"));
    EXPECT_FALSE(pak.Get("z"));
}

}  // namespace
