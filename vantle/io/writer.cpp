#include "vantle/io/writer.h"

#include <cstring>

namespace io {

Writer::Writer(const core::ptr<IStream>& stream) : _stream(stream) {}

void Writer::WriteUInt(unsigned int value) {
    if (!_stream->IsOpened()) return;
    unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                              static_cast<unsigned char>(value >> 16),
                              static_cast<unsigned char>(value >> 24)};
    _stream->Write(bytes, sizeof bytes);
}

void Writer::WriteInt(int value) {
    unsigned int bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteUInt(bits);
}

void Writer::WriteFloat(float value) {
    if (!_stream->IsOpened()) return;
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    _stream->Write(bytes, sizeof bytes);
}

void Writer::WriteString(const std::string& text) {
    if (!_stream->IsOpened()) return;
    WriteUInt(static_cast<unsigned int>(text.size()));
    if (!text.empty()) _stream->Write(text.data(), text.size());
}

}  // namespace io
