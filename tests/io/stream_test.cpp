#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/io/file.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/proxy_stream.h"

namespace {

TEST(MemoryStream, ReadsAndSeeksNeverPastTheEnd) {
    char bytes[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    io::MemoryStream stream(bytes, sizeof bytes);
    EXPECT_TRUE(stream.IsOpened());
    EXPECT_TRUE(stream.CanRead());
    EXPECT_FALSE(stream.CanWrite());
    EXPECT_EQ(stream.Seek(8), 8u);
    char out[5] = {};
    EXPECT_EQ(stream.Read(out, 5), 2u);
    EXPECT_EQ(out[0], 8);
    EXPECT_EQ(out[1], 9);
    EXPECT_EQ(stream.GetPosition(), 10u);
    EXPECT_TRUE(stream.Eof());
    EXPECT_EQ(stream.Read(out, 5), 0u);
    EXPECT_EQ(stream.Seek(100), 10u);
    stream.Write("x", 1);
    EXPECT_EQ(bytes[0], 0);
}

TEST(MemoryStream, ReadingNothingTouchesNoBuffer) {
    char bytes[4] = {1, 2, 3, 4};
    io::MemoryStream stream(bytes, sizeof bytes);
    core::ptr<io::IStream> source(new io::MemoryStream(bytes, sizeof bytes));
    io::ProxyStream window(source, 1, 2, "window");
    EXPECT_EQ(stream.Read(nullptr, 0), 0u);
    EXPECT_EQ(window.Read(nullptr, 0), 0u);
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_EQ(window.GetPosition(), 0u);
}

TEST(MemoryStream, WriteModeStreamIsEmptyAndIgnoresWrites) {
    void* nothing = nullptr;
    io::MemoryStream stream(&nothing);
    EXPECT_TRUE(stream.CanWrite());
    EXPECT_FALSE(stream.CanRead());
    stream.Write("abc", 3);
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_TRUE(stream.Eof());
}

TEST(ProxyStream, PositionsAreRelativeToTheWindow) {
    std::vector<unsigned char> bytes(200);
    std::iota(bytes.begin(), bytes.end(), 0);
    core::ptr<io::IStream> source(new io::MemoryStream(bytes.data(), 200));
    io::ProxyStream proxy(source, 100, 20, "entry");
    EXPECT_EQ(proxy.GetFilename(), "entry");
    EXPECT_EQ(proxy.Size(), 20u);
    EXPECT_FALSE(proxy.CanWrite());
    EXPECT_EQ(proxy.Seek(5), 5u);
    EXPECT_EQ(proxy.GetPosition(), 5u);
    unsigned char out[2] = {};
    EXPECT_EQ(proxy.Read(out, 2), 2u);
    EXPECT_EQ(out[0], 105);
    EXPECT_EQ(proxy.GetPosition(), 7u);
    EXPECT_FALSE(proxy.Eof());
    EXPECT_EQ(proxy.Seek(500), 20u);
    EXPECT_TRUE(proxy.Eof());
}

TEST(ProxyStream, ReadsStopAtTheEndOfTheWindow) {
    std::vector<unsigned char> bytes(200);
    std::iota(bytes.begin(), bytes.end(), 0);
    core::ptr<io::IStream> source(new io::MemoryStream(bytes.data(), 200));
    io::ProxyStream proxy(source, 100, 20, "entry");
    proxy.Seek(15);
    std::vector<unsigned char> out(50, 0xee);
    EXPECT_EQ(proxy.Read(out.data(), out.size()), 5u);
    EXPECT_EQ(out[4], 119);
    EXPECT_EQ(out[5], 0xee);
    EXPECT_EQ(proxy.Read(out.data(), out.size()), 0u);
    EXPECT_TRUE(proxy.Eof());
}

TEST(ProxyStream, AnEmptySourceIsClosedAndAtItsEnd) {
    io::ProxyStream proxy(core::ptr<io::IStream>(), 0, 10, "none");
    EXPECT_FALSE(proxy.IsOpened());
    EXPECT_FALSE(proxy.CanRead());
    EXPECT_TRUE(proxy.Eof());
    char out[4];
    EXPECT_EQ(proxy.Read(out, 4), 0u);
}

TEST(ReadText, GivesTheWholeStreamUpToItsFirstZeroByte) {
    struct Case {
        const char* name;
        std::string bytes;
        unsigned int position;
        std::string expected;
    };
    const Case cases[] = {
        {"plain text", "a = 1\n", 0, "a = 1\n"},
        {"read from the start wherever the stream stands", "<root/>", 5, "<root/>"},
        {"zero padding dropped", std::string("ab\0\0cd", 6), 0, "ab"},
        {"empty stream", "", 0, ""},
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes;
        core::ptr<io::IStream> stream(
            new io::MemoryStream(&bytes[0], static_cast<unsigned int>(bytes.size())));
        stream->Seek(c.position);
        EXPECT_EQ(io::ReadText(stream), c.expected) << c.name;
    }
}

TEST(File, ModesDecideWhatTheFileAnswers) {
    test::TempDir dir;
    dir.Write("modes", "0123456789");
    const std::string path = dir / "modes";
    struct Case {
        unsigned int mode;
        bool can_read, can_write;
    };
    for (Case c : {Case{io::File::kRead, true, false}, Case{io::File::kAppend, false, false}}) {
        io::File file(path, c.mode);
        EXPECT_TRUE(file.IsOpened());
        EXPECT_EQ(file.CanRead(), c.can_read);
        EXPECT_EQ(file.CanWrite(), c.can_write);
    }
    {
        io::File file(path, io::File::kWrite);
        EXPECT_TRUE(file.CanWrite());
        EXPECT_EQ(file.Size(), 0u);
    }
    EXPECT_EQ(dir.Read("modes"), "");
}

TEST(File, ReadsSeeksAndReportsItsEndOnlyAfterAReadHitsIt) {
    test::TempDir dir;
    dir.Write("read", "0123456789");
    const std::string path = dir / "read";
    io::File file(path, io::File::kRead);
    EXPECT_EQ(file.GetFilename(), path);
    EXPECT_EQ(file.Size(), 10u);
    EXPECT_EQ(file.Seek(8), 8u);
    EXPECT_EQ(file.Size(), 10u);
    EXPECT_EQ(file.GetPosition(), 8u);
    EXPECT_FALSE(file.Eof());
    char out[5] = {};
    EXPECT_EQ(file.Read(out, 5), 2u);
    EXPECT_EQ(std::string(out, 2), "89");
    EXPECT_TRUE(file.Eof());
}

TEST(File, SizeFollowsWhatWasWrittenAndLeavesThePosition) {
    test::TempDir dir;
    dir.Write("append", "abc");
    const struct {
        const char* name;
        unsigned int mode;
        bool scrambled;
        unsigned int before, after;
    } cases[] = {
        {"write", io::File::kWrite, false, 0, 5},
        {"scrambled", io::File::kWrite, true, 0, 5},
        {"append", io::File::kAppend, false, 3, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        io::File file(dir / c.name, c.mode);
        if (c.scrambled) file.SetXor(0x6B);
        EXPECT_EQ(file.Size(), c.before);
        file.Write("12345", 5);
        const unsigned int position = file.GetPosition();
        EXPECT_EQ(file.Size(), c.after);
        EXPECT_EQ(file.GetPosition(), position);
    }
    // Not a regular file: the size its end gives.
    io::File device("/dev/null", io::File::kRead);
    ASSERT_TRUE(device.IsOpened());
    EXPECT_EQ(device.Size(), 0u);
}

TEST(File, FilesThatDoNotOpenAreClosed) {
    test::TempDir dir;
    test::CaptureLog log;
    io::File named(std::string(), io::File::kRead);
    EXPECT_TRUE(log.Contains("Empty filename was given!"));
    log.Clear();
    io::File plain("", io::File::kRead);
    io::File missing(dir / "does_not_exist", io::File::kRead);
    io::File folder(dir.Path(), io::File::kRead);
    EXPECT_TRUE(log.Lines().empty());
    for (io::File* file : {&named, &plain, &missing, &folder}) {
        EXPECT_FALSE(file->IsOpened());
        EXPECT_EQ(file->Size(), 0u);
        EXPECT_TRUE(file->Eof());
        char out[4];
        EXPECT_EQ(file->Read(out, 4), 0u);
        file->Write("abc", 3);
        EXPECT_EQ(file->Seek(2), 0u);
    }
}

TEST(File, XorIsUndoneByTheSameKey) {
    test::TempDir dir;
    const std::string path = dir / "xor";
    const std::string plain("Hello\0\xFF world", 13);
    {
        io::File file(path, io::File::kWrite);
        file.SetXor('\x5A');
        file.Write(plain.data(), plain.size());
        // Flushed per write: already on disk while the file is still open.
        EXPECT_EQ(dir.Read("xor").size(), plain.size());
    }
    const std::string scrambled = dir.Read("xor");
    ASSERT_EQ(scrambled.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) EXPECT_EQ(scrambled[i], static_cast<char>(plain[i] ^ 0x5A));

    io::File keyed(path, io::File::kRead);
    keyed.SetXor('\x5A');
    std::string back(plain.size(), '\0');
    EXPECT_EQ(keyed.Read(&back[0], back.size()), plain.size());
    EXPECT_EQ(back, plain);
}

TEST(File, AppendAddsToTheEnd) {
    test::TempDir dir;
    dir.Write("append", "ab");
    {
        io::File file(dir / "append", io::File::kAppend);
        file.Write("cd", 2);
    }
    EXPECT_EQ(dir.Read("append"), "abcd");
}

}  // namespace
