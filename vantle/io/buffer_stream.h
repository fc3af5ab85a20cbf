#pragma once

#include <string>

#include "vantle/io/stream.h"

namespace io {

// A stream over a growing buffer of its own: records are written into memory first and reach the disk
// in one piece (see ReplaceFile). Readable as well, from wherever it was sought to.
class BufferStream : public IStream {
public:
    BufferStream() = default;
    explicit BufferStream(std::string bytes) : _bytes(std::move(bytes)) {}

    const std::string& Bytes() const { return _bytes; }

    bool IsOpened() const override { return true; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }
    unsigned int Size() const override { return static_cast<unsigned int>(_bytes.size()); }
    bool Eof() const override { return _position >= _bytes.size(); }
    // Never moves beyond the end.
    unsigned int Seek(unsigned int position) override;
    unsigned int GetPosition() const override { return _position; }
    unsigned long Read(void* buffer, unsigned long count) override;
    // Overwrites from the position on and grows the buffer as needed.
    void Write(const void* data, unsigned long count) override;
    std::string GetFilename() const override { return "memory buffer"; }

private:
    std::string _bytes;
    unsigned int _position = 0;
};

}  // namespace io
