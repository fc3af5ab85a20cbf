#pragma once

#include <map>
#include <memory>
#include <string>

#include "vantle/io/loader.h"

namespace test {

// A loader source serving files held in memory, so data files need no disk. Every Load opens a fresh
// stream named after the file, which keeps the bytes it reads alive even after the file is replaced.
class MemorySource : public io::Loader::Source {
public:
    // Adds the file, or replaces its bytes.
    void Put(const std::string& name, const std::string& bytes);
    void Remove(const std::string& name);

    core::ptr<io::IStream> Load(const std::string& name) override;

private:
    std::map<std::string, std::shared_ptr<std::string>> _files;
};

}  // namespace test
