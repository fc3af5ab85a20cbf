#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz {

// A private folder for the files of one fuzzing process, removed when the process ends.
inline std::string Folder() {
    // A plain array: it is still there when the exit handler runs.
    static char path[] = "/tmp/vantle_fuzz_XXXXXX";
    static const bool made = [] {
        if (!mkdtemp(path)) return false;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        });
        return true;
    }();
    return made ? path : "/tmp";
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

// A broken promise of the reader: reported and ended at once, as a fuzzer expects.
inline void Check(bool holds, const char* target, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "%s: %s\n", target, what);
    std::abort();
}

}  // namespace fuzz
