#include "support/byte_sink.h"

#include <algorithm>
#include <cstring>

namespace test {

unsigned int ByteSink::Seek(unsigned int position) {
    _position = std::min(position, Size());
    return _position;
}

unsigned long ByteSink::Read(void* buffer, unsigned long count) {
    unsigned long n = std::min<unsigned long>(count, Size() - _position);
    if (n > 0) std::memcpy(buffer, _bytes.data() + _position, n);
    _position += static_cast<unsigned int>(n);
    return n;
}

void ByteSink::Write(const void* data, unsigned long count) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    size_t end = _position + count;
    if (end > _bytes.size()) _bytes.resize(end);
    std::copy(bytes, bytes + count, _bytes.begin() + _position);
    _position = static_cast<unsigned int>(end);
}

}  // namespace test
