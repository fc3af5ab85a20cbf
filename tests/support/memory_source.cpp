#include "support/memory_source.h"

#include "vantle/io/memory_stream.h"

namespace test {

namespace {

// Holds the bytes before the memory stream's view of them is made.
struct HeldBytes {
    std::shared_ptr<std::string> bytes;
};

class HeldMemoryStream : private HeldBytes, public io::MemoryStream {
public:
    HeldMemoryStream(const std::shared_ptr<std::string>& held, const std::string& name)
        : HeldBytes{held}, io::MemoryStream(&(*held)[0], static_cast<unsigned int>(held->size())) {
        SetFilename(name);
    }
};

}  // namespace

void MemorySource::Put(const std::string& name, const std::string& bytes) {
    _files[name] = std::make_shared<std::string>(bytes);
}

void MemorySource::Remove(const std::string& name) {
    _files.erase(name);
}

core::ptr<io::IStream> MemorySource::Load(const std::string& name) {
    const auto found = _files.find(name);
    if (found == _files.end()) return core::ptr<io::IStream>();
    return core::ptr<io::IStream>(new HeldMemoryStream(found->second, name));
}

}  // namespace test
