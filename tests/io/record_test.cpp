#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/io/file.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/proxy_stream.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A read-only stream over a copy of the bytes; the stream itself does not own memory.
struct MemoryRecord {
    explicit MemoryRecord(Bytes content) : bytes(std::move(content)) {
        stream = core::ptr<io::IStream>(
            new io::MemoryStream(bytes.data(), static_cast<unsigned int>(bytes.size())));
    }
    Bytes bytes;
    core::ptr<io::IStream> stream;
};

struct WriteCase {
    const char* name;
    void (*write)(io::Writer&);
    Bytes expected;
};

TEST(Writer, WritesLittleEndianWordsAndLengthPrefixedStrings) {
    float one = 1.0f;
    Bytes one_bytes(reinterpret_cast<unsigned char*>(&one), reinterpret_cast<unsigned char*>(&one) + 4);
    const std::vector<WriteCase> cases = {
        {"uint 1", [](io::Writer& w) { w.WriteUInt(1); }, {0x01, 0x00, 0x00, 0x00}},
        {"uint high bytes", [](io::Writer& w) { w.WriteUInt(0x12345678u); }, {0x78, 0x56, 0x34, 0x12}},
        {"int -2", [](io::Writer& w) { w.WriteInt(-2); }, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"string abc",
         [](io::Writer& w) { w.WriteString("abc"); },
         {0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63}},
        {"empty string", [](io::Writer& w) { w.WriteString(""); }, {0x00, 0x00, 0x00, 0x00}},
        {"embedded zero",
         [](io::Writer& w) { w.WriteString(std::string("a\0b", 3)); },
         {0x03, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62}},
        {"float as in memory", [](io::Writer& w) { w.WriteFloat(1.0f); }, one_bytes},
        {"fields follow each other",
         [](io::Writer& w) {
             w.WriteUInt(2);
             w.WriteString("x");
         },
         {0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x78}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            io::Writer writer(core::ptr<io::IStream>(new io::File(dir / "write", io::File::kWrite)));
            c.write(writer);
        }
        EXPECT_EQ(AsBytes(dir.Read("write")), c.expected);
    }
}

TEST(Reader, ReadsTheRecordsTheWriterWrites) {
    MemoryRecord record({0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x03,
                         0x00, 0x00, 0x00, 0x61, 0x62, 0x63, 0x78, 0x56, 0x34, 0x12});
    io::Reader reader(record.stream);
    EXPECT_EQ(reader.ReadUInt(), 1u);
    EXPECT_EQ(reader.ReadInt(), -2);
    EXPECT_EQ(reader.ReadChar(), -1);
    EXPECT_EQ(reader.ReadString(), "abc");
    EXPECT_EQ(reader.ReadUInt(), 0x12345678u);
    EXPECT_TRUE(record.stream->Eof());
}

TEST(Reader, FloatRoundTripsThroughAFile) {
    test::TempDir dir;
    io::Writer(core::ptr<io::IStream>(new io::File(dir / "float", io::File::kWrite))).WriteFloat(-3.25f);
    io::Reader reader(core::ptr<io::IStream>(new io::File(dir / "float", io::File::kRead)));
    EXPECT_EQ(reader.ReadFloat(), -3.25f);
}

struct StringCase {
    const char* name;
    Bytes bytes;
    std::string expected;
    unsigned int position_after;
    bool logged;
    bool read_past_end;
};

TEST(Reader, StringsStopAtZeroAndNeverRunPastTheEnd) {
    const std::vector<StringCase> cases = {
        {"zero ends the text", {0x05, 0x00, 0x00, 0x00, 0x61, 0x62, 0x00, 0x63, 0x64}, "ab", 9, false, false},
        {"empty", {0x00, 0x00, 0x00, 0x00, 0x61}, "", 4, false, false},
        {"ends exactly at the end", {0x01, 0x00, 0x00, 0x00, 0x61}, "a", 5, false, false},
        {"huge length", {0xFF, 0xFF, 0xFF, 0xFF, 0x61, 0x62}, "ab", 6, true, true},
        {"length one past the end", {0x04, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63}, "abc", 7, true, true},
        {"length itself cut short", {0x02, 0x00}, "", 2, true, true},
        {"nothing at all", {}, "", 0, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::CaptureLog log;
        MemoryRecord record(c.bytes);
        io::Reader reader(record.stream);
        EXPECT_EQ(reader.ReadString(), c.expected);
        EXPECT_EQ(record.stream->GetPosition(), c.position_after);
        EXPECT_EQ(!log.Lines().empty(), c.logged);
        EXPECT_EQ(reader.ReadPastEnd(), c.read_past_end);
    }
}

TEST(Reader, FieldsCutShortReadTheMissingBytesAsZero) {
    {
        MemoryRecord record({0x01, 0x02});
        EXPECT_EQ(io::Reader(record.stream).ReadUInt(), 0x0201u);
    }
    {
        MemoryRecord record({0xFF, 0xFF, 0xFF});
        EXPECT_EQ(io::Reader(record.stream).ReadInt(), 0x00FFFFFF);
    }
    MemoryRecord empty({});
    io::Reader reader(empty.stream);
    EXPECT_EQ(reader.ReadUInt(), 0u);
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_EQ(reader.ReadChar(), 0);
    EXPECT_EQ(reader.ReadFloat(), 0.0f);
    EXPECT_TRUE(reader.ReadPastEnd());

    MemoryRecord whole({0x01, 0x00, 0x00, 0x00, 0x7F});
    io::Reader whole_reader(whole.stream);
    whole_reader.ReadUInt();
    whole_reader.ReadChar();
    EXPECT_FALSE(whole_reader.ReadPastEnd()) << "reading up to the last byte is not reading past it";
    whole_reader.ReadChar();
    EXPECT_TRUE(whole_reader.ReadPastEnd());
}

TEST(Reader, ADamagedLengthInAnArchiveEntryStaysInsideTheEntry) {
    // The entry holds a string whose length claims far more than the entry; the bytes after the window
    // belong to the next entry and must not be read.
    MemoryRecord record({0x7A, 0xFF, 0xFF, 0xFF, 0xFF, 0x61, 0x62, 0x63, 0x64});
    core::ptr<io::IStream> entry(new io::ProxyStream(record.stream, 1, 6, "entry"));
    entry->Seek(0);
    test::CaptureLog log;
    EXPECT_EQ(io::Reader(entry).ReadString(), "ab");
    EXPECT_TRUE(log.Contains("entry"));
    EXPECT_EQ(record.stream->GetPosition(), 7u);
}

TEST(Reader, ADamagedLengthInAFileIsCutToTheFile) {
    test::TempDir dir;
    dir.Write("damaged", "\xFF\xFF\xFF\xFFhi");
    test::CaptureLog log;
    io::Reader reader(core::ptr<io::IStream>(new io::File(dir / "damaged", io::File::kRead)));
    EXPECT_EQ(reader.ReadString(), "hi");
    // Reading on past the end keeps giving empty, bounded results.
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(reader.ReadString(), "");
}

TEST(Writer, WritesNothingToAClosedFile) {
    test::TempDir dir;
    test::CaptureLog log;
    io::Writer writer(core::ptr<io::IStream>(new io::File(dir / "missing_dir/none/file", io::File::kWrite)));
    writer.WriteUInt(1);
    writer.WriteInt(2);
    writer.WriteFloat(3);
    writer.WriteString("four");
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_TRUE(dir.Read("missing_dir/none/file").empty());
}

}  // namespace
