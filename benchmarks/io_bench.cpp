// Reading an archive's entries, asking a file's size and logging, each against plain code doing the same
// work in the same run. Each pair reports engine_us, plain_us and engine/plain.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "benchmarks/frame_compare.h"
#include "vantle/core/log.h"
#include "vantle/io/file.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/pak.h"

namespace {

const unsigned int kEntries = 500;
const unsigned int kEntrySize = 64;

void PutWord(std::string& bytes, unsigned int value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

unsigned int GetWord(const char* bytes) {
    unsigned int value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::string EntryName(unsigned int i) {
    return "data/screens/screen_" + std::to_string(i) + "/picture.png";
}

// An archive as it is in memory once read: the table, then every entry's bytes back to back.
std::string MakeArchive() {
    std::string table;
    PutWord(table, kEntries);
    std::string data;
    for (unsigned int i = 0; i < kEntries; ++i) {
        const std::string name = EntryName(i);
        PutWord(table, static_cast<unsigned int>(name.size()));
        table += name;
        PutWord(table, static_cast<unsigned int>(data.size()));
        PutWord(table, kEntrySize);
        data += std::string(kEntrySize, static_cast<char>('a' + i % 26));
    }
    return table + data;
}

struct Archive {
    std::string bytes = MakeArchive();
    std::vector<std::string> names;
    Archive() {
        for (unsigned int i = 0; i < kEntries; ++i) names.push_back(EntryName(i));
    }
};

// The table read, then every entry found by name and read whole.
__attribute__((noinline)) void EnginePak(Archive& archive, std::vector<char>& out) {
    io::Pak pak;
    pak.Read(core::ptr<io::IStream>(new io::MemoryStream(&archive.bytes[0], archive.bytes.size())), false);
    for (const std::string& name : archive.names) {
        core::ptr<io::IStream> entry = pak.Get(name);
        entry->Read(out.data(), entry->Size());
    }
}

struct PlainEntry {
    unsigned int offset;
    unsigned int size;
};

__attribute__((noinline)) void PlainPak(Archive& archive, std::vector<char>& out) {
    const char* bytes = archive.bytes.data();
    const unsigned int count = GetWord(bytes);
    std::size_t at = 4;
    std::unordered_map<std::string, PlainEntry> entries;
    for (unsigned int i = 0; i < count; ++i) {
        const unsigned int length = GetWord(bytes + at);
        std::string name(bytes + at + 4, length);
        at += 4 + length;
        entries.emplace(std::move(name), PlainEntry{GetWord(bytes + at), GetWord(bytes + at + 4)});
        at += 8;
    }
    for (const std::string& name : archive.names) {
        const PlainEntry& entry = entries.find(name)->second;
        std::memcpy(out.data(), bytes + at + entry.offset, entry.size);
    }
}

void BM_ReadArchiveEntries(benchmark::State& state) {
    Archive archive;
    std::vector<char> out(kEntrySize);
    bench::CompareWithPlain(
        state, [&] { EnginePak(archive, out); }, [&] { PlainPak(archive, out); });
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ReadArchiveEntries)->Unit(benchmark::kMicrosecond);

const int kSizeQueries = 100;

void BM_FileSize(benchmark::State& state) {
    char path[] = "/tmp/vantle_bench_size_XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0) return state.SkipWithError("no temporary file");
    std::ofstream(path) << std::string(12345, 'x');
    {
        io::File file(path, io::File::kRead);
        std::FILE* plain = std::fopen(path, "rb");
        unsigned int total = 0;
        bench::CompareWithPlain(
            state,
            [&] {
                for (int i = 0; i < kSizeQueries; ++i) total += file.Size();
            },
            [&] {
                struct stat info;
                for (int i = 0; i < kSizeQueries; ++i) {
                    if (fstat(fileno(plain), &info) == 0) total += static_cast<unsigned int>(info.st_size);
                }
            });
        benchmark::DoNotOptimize(total);
        std::fclose(plain);
    }
    std::remove(path);
    state.SetItemsProcessed(state.iterations() * kSizeQueries);
}
BENCHMARK(BM_FileSize)->Unit(benchmark::kMicrosecond);

const int kLogLines = 100;

class DiscardingWriter : public core::Log::Writer {
public:
    void Write(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void Write(const char* text) override { benchmark::DoNotOptimize(text); }
};

// Loading code logs a line per file; with no writer installed the lines go nowhere.
void BM_LogWithoutWriter(benchmark::State& state) {
    core::Log* log = core::Log::instance();
    log->SetWriter(nullptr);
    core::Log::Writer* writer = nullptr;
    bench::CompareWithPlain(
        state,
        [&] {
            for (int i = 0; i < kLogLines; ++i)
                log->Write("Loading font bitmap from: %s (%d)", "fonts/main.png", i);
        },
        [&] {
            for (int i = 0; i < kLogLines; ++i) {
                benchmark::DoNotOptimize(writer);
                if (!writer) continue;
                char line[256];
                std::snprintf(line, sizeof line, "Loading font bitmap from: %s (%d)", "fonts/main.png", i);
                writer->Write(static_cast<const char*>(line));
            }
        });
    state.SetItemsProcessed(state.iterations() * kLogLines);
}
BENCHMARK(BM_LogWithoutWriter)->Unit(benchmark::kMicrosecond);

void BM_LogToAWriter(benchmark::State& state) {
    core::Log* log = core::Log::instance();
    log->SetWriter(new DiscardingWriter);
    DiscardingWriter plain_writer;
    bench::CompareWithPlain(
        state,
        [&] {
            for (int i = 0; i < kLogLines; ++i)
                log->Write("Loading font bitmap from: %s (%d)", "fonts/main.png", i);
        },
        [&] {
            for (int i = 0; i < kLogLines; ++i) {
                char line[256];
                std::snprintf(line, sizeof line, "Loading font bitmap from: %s (%d)", "fonts/main.png", i);
                plain_writer.Write(static_cast<const char*>(line));
            }
        });
    log->SetWriter(nullptr);
    state.SetItemsProcessed(state.iterations() * kLogLines);
}
BENCHMARK(BM_LogToAWriter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
