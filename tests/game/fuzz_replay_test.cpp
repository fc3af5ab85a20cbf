// Runs a fuzz target over its committed corpus and reproducers, then over seeded mutations of the
// corpus, so damaged files are tried on every test run. A broken promise aborts with the target's
// message.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/fuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

const unsigned int kSeed = 20261214;
const int kMutations = 300;

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

void RunTarget(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(FuzzReplay, CorpusReproducersAndSeededMutationsKeepTheTargetsPromises) {
    test::CaptureLog log;
    const std::vector<std::string> corpus = FilesIn(FUZZ_CORPUS_DIR);
    ASSERT_FALSE(corpus.empty()) << FUZZ_CORPUS_DIR;
    for (const std::string& bytes : corpus) RunTarget(bytes);
    for (const std::string& bytes : FilesIn(FUZZ_REPRO_DIR)) RunTarget(bytes);

    test::Fuzzer fuzzer(kSeed);
    for (int i = 0; i < kMutations; ++i) {
        SCOPED_TRACE(i);
        RunTarget(fuzzer.OneIn(10) ? fuzzer.Bytes(fuzzer.Below(64))
                                   : fuzzer.Mutate(corpus[fuzzer.Below(corpus.size())]));
        log.Clear();
    }
}

}  // namespace
