#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <system_error>

namespace test {

TempDir::TempDir() {
    char pattern[] = "/tmp/vantle_test_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made)
        _path = made;
    else
        ADD_FAILURE() << "mkdtemp failed";
}

TempDir::~TempDir() {
    if (_path.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(_path, ignored);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = std::filesystem::path(_path) / name;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        ADD_FAILURE() << "can't write " << path;
        return;
    }
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string TempDir::Read(const std::string& name) const {
    std::string bytes;
    std::FILE* file = std::fopen(File(name).c_str(), "rb");
    if (!file) return bytes;
    for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
    std::fclose(file);
    return bytes;
}

WorkingDirectory::WorkingDirectory(const std::string& path) : _previous(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(_previous, ignored);
}

}  // namespace test
