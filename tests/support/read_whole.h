#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/io/stream.h"

namespace test {

// One read of Size() bytes from where the stream stands, so a stream handed out at the wrong place
// shows; "<none>" for an empty pointer.
inline std::string ReadWhole(const core::ptr<io::IStream>& stream) {
    if (!stream) return "<none>";
    std::string bytes(stream->Size(), '\0');
    if (!bytes.empty()) bytes.resize(stream->Read(&bytes[0], bytes.size()));
    return bytes;
}

}  // namespace test
