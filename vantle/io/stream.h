#pragma once

#include <string>

#include "vantle/core/ptr.h"

namespace io {

// A byte stream: a file, a view of memory or a window on another stream. Handed around as
// core::ptr<IStream>. Sizes and positions are 32-bit.
class IStream {
public:
    virtual ~IStream() = default;

    // The stream can be used.
    virtual bool IsOpened() const = 0;
    virtual bool CanRead() const = 0;
    virtual bool CanWrite() const = 0;
    // Total length in bytes.
    virtual unsigned int Size() const = 0;
    // Nothing is left to read.
    virtual bool Eof() const = 0;
    // Moves to an absolute position; returns the position reached.
    virtual unsigned int Seek(unsigned int position) = 0;
    virtual unsigned int GetPosition() const = 0;
    // Copies up to count bytes into the buffer and advances; returns how many were copied.
    virtual unsigned long Read(void* buffer, unsigned long count) = 0;
    virtual void Write(const void* data, unsigned long count) = 0;
    virtual std::string GetFilename() const = 0;
    // Byte-wise XOR of everything read and written from now on; streams without it ignore the key.
    virtual void SetXor(char /*key*/) {}
};

// Every byte the stream delivers from its current position; empty for an empty pointer.
std::string ReadBytes(const core::ptr<IStream>& stream);
// The whole stream, read from its start, as text up to its first zero byte. The stream must not be
// empty.
std::string ReadText(const core::ptr<IStream>& stream);

}  // namespace io
