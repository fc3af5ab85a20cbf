#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/io/stream.h"

namespace io {

// Reads the engine's binary records: 32-bit little-endian integers and strings as a 32-bit length
// followed by the bytes. A field cut short by the end of the stream reads its missing bytes as zero.
class Reader {
public:
    // The stream must not be empty.
    explicit Reader(const core::ptr<IStream>& stream);

    int ReadInt();
    unsigned int ReadUInt();
    // The four bytes as they lie in memory.
    float ReadFloat();
    char ReadChar();
    // The text up to the first zero byte; a length beyond the end of the stream is cut to what is left.
    std::string ReadString();

    // No byte is left to read: the stream's position has reached its size.
    bool AtEnd() const;
    unsigned int BytesLeft() const;
    // Some read so far wanted bytes beyond the end of the stream: what it returned is not whole.
    bool ReadPastEnd() const { return _read_past_end; }

private:
    // Copies count bytes; those missing at the end of the stream stay as they were.
    void ReadBytes(void* buffer, unsigned long count);

    core::ptr<IStream> _stream;
    bool _read_past_end = false;
};

}  // namespace io
