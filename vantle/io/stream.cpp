#include "vantle/io/stream.h"

namespace io {

std::string ReadBytes(const core::ptr<IStream>& stream) {
    if (!stream) return std::string();
    std::string bytes(stream->Size(), '\0');
    // A stream may deliver less than its size claims.
    if (!bytes.empty()) bytes.resize(stream->Read(&bytes[0], bytes.size()));
    return bytes;
}

std::string ReadText(const core::ptr<IStream>& stream) {
    stream->Seek(0);
    std::string text = ReadBytes(stream);
    const std::string::size_type zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

}  // namespace io
