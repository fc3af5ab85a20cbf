#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/io/stream.h"

namespace io {

// A window (start, size) on a shared stream, with a position of its own: windows on one source (the
// entries of one archive) can be read in any order and never run into each other.
class ProxyStream : public IStream {
public:
    ProxyStream(const core::ptr<IStream>& source, unsigned int start, unsigned int size,
                const std::string& filename);

    bool IsOpened() const override { return _source && _source->IsOpened(); }
    bool CanRead() const override { return _source && _source->CanRead(); }
    bool CanWrite() const override { return false; }
    unsigned int Size() const override { return _size; }
    bool Eof() const override;
    // Positions are relative to the window's start.
    unsigned int Seek(unsigned int position) override;
    unsigned int GetPosition() const override;
    // Never reads past the window's end.
    unsigned long Read(void* buffer, unsigned long count) override;
    void Write(const void* /*data*/, unsigned long /*count*/) override {}
    std::string GetFilename() const override { return _filename; }

private:
    core::ptr<IStream> _source;
    unsigned int _start;
    unsigned int _size;
    std::string _filename;
    unsigned int _position = 0;
};

}  // namespace io
