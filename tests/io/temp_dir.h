#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace test {

// A fresh folder under the system's temporary directory, removed with everything in it on destruction.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantle_data_XXXXXX").string();
        if (!::mkdtemp(&pattern[0])) ADD_FAILURE() << "mkdtemp failed";
        _path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return _path; }
    // The path of a file inside; an empty name gives the folder with a trailing "/".
    std::string operator/(const std::string& name) const { return _path + "/" + name; }

    // Writes the bytes to the relative path, creating the folders on the way.
    void Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = std::filesystem::path(_path) / name;
        std::filesystem::create_directories(path.parent_path());
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::string Read(const std::string& name) const {
        std::string bytes;
        std::FILE* file = std::fopen((*this / name).c_str(), "rb");
        if (!file) return bytes;
        for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
        std::fclose(file);
        return bytes;
    }

private:
    std::string _path;
};

// Makes a folder the working directory for its lifetime.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path) : _previous(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(_previous, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path _previous;
};

}  // namespace test
