#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "fuzz/fuzz_input.h"
#include "vantle/core/ptr.h"
#include "vantle/io/loader.h"

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

// Writes the input as the file name in Folder(), which the loader serves from the first call on.
inline void ServeInput(const std::string& name, const uint8_t* data, size_t size) {
    static const bool served = [] {
        io::Loader::instance()->ClearSources();
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(Folder() + "/")));
        return true;
    }();
    (void)served;
    WriteFile(Folder() + "/" + name, data, size);
}

}  // namespace fuzz
