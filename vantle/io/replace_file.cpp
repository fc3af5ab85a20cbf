#include "vantle/io/replace_file.h"

#include <unistd.h>

#include <cstdio>

namespace io {

namespace {

const char kTemporarySuffix[] = ".tmp";

// Every step is checked: a full disk may only show at the flush or the close.
bool WriteAll(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(::fileno(file)) == 0 && ok;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const std::string temporary = path + kTemporarySuffix;
    if (WriteAll(temporary, bytes) && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace io
