#pragma once

#include <filesystem>
#include <string>

namespace test {

// A unique empty directory under /tmp, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return _path; }
    // Path() + "/" + name; an empty name gives the folder with a trailing "/".
    std::string File(const std::string& name) const { return _path + "/" + name; }
    std::string operator/(const std::string& name) const { return File(name); }

    // Writes the bytes to the relative path, creating the folders on the way. Fails the test when the
    // file cannot be written.
    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string Read(const std::string& name) const;

private:
    std::string _path;
};

// Makes a folder the working directory for its lifetime.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path _previous;
};

}  // namespace test
