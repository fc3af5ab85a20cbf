#include "vantle/io/reader.h"

#include <array>
#include <cstring>

#include "vantle/core/log.h"

namespace io {

namespace {

const unsigned int kWordSize = 4;

}  // namespace

Reader::Reader(const core::ptr<IStream>& stream) : _stream(stream) {}

void Reader::ReadBytes(void* buffer, unsigned long count) {
    if (_stream->Read(buffer, count) < count) _read_past_end = true;
}

unsigned int Reader::ReadUInt() {
    std::array<unsigned char, kWordSize> bytes{};
    ReadBytes(bytes.data(), bytes.size());
    return static_cast<unsigned int>(bytes[0]) | static_cast<unsigned int>(bytes[1]) << 8 |
           static_cast<unsigned int>(bytes[2]) << 16 | static_cast<unsigned int>(bytes[3]) << 24;
}

int Reader::ReadInt() {
    unsigned int bits = ReadUInt();
    int value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float Reader::ReadFloat() {
    std::array<unsigned char, kWordSize> bytes{};
    ReadBytes(bytes.data(), bytes.size());
    float value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

char Reader::ReadChar() {
    char value = 0;
    ReadBytes(&value, 1);
    return value;
}

unsigned int Reader::BytesLeft() const {
    unsigned int size = _stream->Size();
    unsigned int position = _stream->GetPosition();
    return position < size ? size - position : 0;
}

bool Reader::AtEnd() const {
    return BytesLeft() == 0;
}

std::string Reader::ReadString() {
    unsigned int length = ReadUInt();
    unsigned int left = BytesLeft();
    if (length > left) {
        // A damaged length must not decide how much memory is taken or how far is read.
        core::Log::instance()->Write("String of %u bytes runs past the end of '%s' (%u bytes left)", length,
                                     _stream->GetFilename().c_str(), left);
        length = left;
        _read_past_end = true;
    }
    std::string text(length, '\0');
    if (length > 0) {
        const unsigned long got = _stream->Read(&text[0], length);
        if (got < length) _read_past_end = true;
        text.resize(got);
    }
    std::string::size_type zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

}  // namespace io
