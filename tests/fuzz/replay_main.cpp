// Replays fuzz inputs through a fuzz target built without libFuzzer: every file named on the command line,
// and every file directly inside a named folder, once each in name order. A folder that does not exist
// holds nothing; replaying nothing at all fails, so a misnamed corpus does not pass unnoticed.

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// As scripts/fuzz.sh limits libFuzzer: a single allocation of more than 1 GB is a fault of its own.
extern "C" const char* __asan_default_options() {
    return "max_allocation_size_mb=1024";
}

namespace {

// An input still running after this long counts as a hang, as libFuzzer's own time limit would say.
const unsigned int kSecondsPerInput = 60;

char g_current[4096];

void ReportHang(int) {
    const char prefix[] = "fuzz replay: input took too long: ";
    (void)!write(STDERR_FILENO, prefix, sizeof prefix - 1);
    (void)!write(STDERR_FILENO, g_current, std::strlen(g_current));
    (void)!write(STDERR_FILENO, "\n", 1);
    _exit(1);
}

std::vector<std::string> InputsOf(const std::filesystem::path& path) {
    std::error_code error;
    std::vector<std::string> inputs;
    if (std::filesystem::is_regular_file(path, error)) inputs.push_back(path.string());
    if (!std::filesystem::is_directory(path, error)) return inputs;
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
        if (entry.is_regular_file(error)) inputs.push_back(entry.path().string());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

// In a buffer of exactly the file's size, as libFuzzer hands inputs over, so reading past the end shows.
bool Replay(const std::string& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        std::fprintf(stderr, "fuzz replay: cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), input.get());
    std::snprintf(g_current, sizeof g_current, "%s", file.c_str());
    alarm(kSecondsPerInput);
    LLVMFuzzerTestOneInput(input.get(), bytes.size());
    alarm(0);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    signal(SIGALRM, &ReportHang);
    unsigned int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::string& file : InputsOf(argv[i])) {
            if (!Replay(file)) return 1;
            ++replayed;
        }
    }
    std::printf("fuzz replay: %u inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
