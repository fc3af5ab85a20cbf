#pragma once

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
    // Path() + "/" + name.
    std::string File(const std::string& name) const { return _path + "/" + name; }

private:
    std::string _path;
};

}  // namespace test
