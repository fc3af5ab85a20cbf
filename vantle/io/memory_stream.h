#pragma once

#include <string>

#include "vantle/io/stream.h"

namespace io {

// A read-only view of memory owned by someone else; never frees it.
class MemoryStream : public IStream {
public:
    // Read-mode view of the buffer, at position 0.
    MemoryStream(void* buffer, unsigned int size);
    // Write-mode stream of size 0: it keeps no buffer and ignores writes.
    explicit MemoryStream(void** buffer);

    bool IsOpened() const override { return true; }
    bool CanRead() const override { return (_mode & kRead) != 0; }
    bool CanWrite() const override { return (_mode & kWrite) != 0; }
    unsigned int Size() const override { return _size; }
    bool Eof() const override { return _position >= _size; }
    // Never moves beyond the end.
    unsigned int Seek(unsigned int position) override;
    unsigned int GetPosition() const override { return _position; }
    unsigned long Read(void* buffer, unsigned long count) override;
    void Write(const void* /*data*/, unsigned long /*count*/) override {}
    std::string GetFilename() const override { return _filename; }
    void SetFilename(const std::string& filename) { _filename = filename; }

private:
    static const unsigned int kRead = 1;
    static const unsigned int kWrite = 2;

    unsigned int _mode;
    const unsigned char* _buffer;
    unsigned int _size;
    unsigned int _position = 0;
    std::string _filename;
};

}  // namespace io
