#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/io/stream.h"

namespace io {

// Writes the engine's binary records (see io::Reader). Writes nothing, silently, to a stream that is not
// open.
class Writer {
public:
    // The stream must not be empty.
    explicit Writer(const core::ptr<IStream>& stream);

    void WriteInt(int value);
    void WriteUInt(unsigned int value);
    void WriteFloat(float value);
    // The length, then the bytes, embedded zero bytes included.
    void WriteString(const std::string& text);

private:
    core::ptr<IStream> _stream;
};

}  // namespace io
