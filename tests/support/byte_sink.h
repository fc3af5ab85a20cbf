#pragma once

#include <string>
#include <vector>

#include "vantle/io/stream.h"

namespace test {

// A writable and readable stream over a growing byte vector, for checking what a writer produces and
// reading it back.
class ByteSink : public io::IStream {
public:
    ByteSink() = default;
    explicit ByteSink(std::vector<unsigned char> bytes) : _bytes(std::move(bytes)) {}

    const std::vector<unsigned char>& Bytes() const { return _bytes; }

    bool IsOpened() const override { return true; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }
    unsigned int Size() const override { return static_cast<unsigned int>(_bytes.size()); }
    bool Eof() const override { return _position >= _bytes.size(); }
    unsigned int Seek(unsigned int position) override;
    unsigned int GetPosition() const override { return _position; }
    unsigned long Read(void* buffer, unsigned long count) override;
    void Write(const void* data, unsigned long count) override;
    std::string GetFilename() const override { return "byte sink"; }

private:
    std::vector<unsigned char> _bytes;
    unsigned int _position = 0;
};

}  // namespace test
