#pragma once

#include <cstdio>
#include <string>

#include "vantle/io/stream.h"

namespace io {

// A file on disk through standard I/O, optionally XORed byte by byte with a one-byte key.
class File : public IStream {
public:
    // Open modes: exactly one is given.
    static const unsigned int kRead = 1;
    static const unsigned int kWrite = 2;  // creates the file or empties it
    static const unsigned int kAppend = 4;

    // An empty name is logged and leaves the file closed.
    File(const std::string& filename, unsigned int mode);
    // As above, but an empty name fails silently.
    File(const char* filename, unsigned int mode);
    ~File() override;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool IsOpened() const override { return _handle != nullptr; }
    bool CanRead() const override { return (_mode & kRead) != 0; }
    // False for a file opened for appending.
    bool CanWrite() const override { return (_mode & kWrite) != 0; }
    // 0 when closed.
    unsigned int Size() const override;
    // True when closed; otherwise only once a read has hit the end.
    bool Eof() const override;
    unsigned int Seek(unsigned int position) override;
    unsigned int GetPosition() const override;
    unsigned long Read(void* buffer, unsigned long count) override;
    // Flushed before returning.
    void Write(const void* data, unsigned long count) override;
    std::string GetFilename() const override { return _filename; }
    // There is no way to turn the XOR off again.
    void SetXor(char key) override;

private:
    void Open();

    unsigned int _mode;
    std::FILE* _handle = nullptr;
    std::string _filename;
    bool _xor_on = false;
    char _xor_key = 0;
};

}  // namespace io
