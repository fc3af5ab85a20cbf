#include "vantle/io/buffer_stream.h"

#include <algorithm>

namespace io {

unsigned int BufferStream::Seek(unsigned int position) {
    _position = std::min(position, Size());
    return _position;
}

unsigned long BufferStream::Read(void* buffer, unsigned long count) {
    const unsigned long n = std::min<unsigned long>(count, Size() - _position);
    if (n > 0) _bytes.copy(static_cast<char*>(buffer), n, _position);
    _position += static_cast<unsigned int>(n);
    return n;
}

void BufferStream::Write(const void* data, unsigned long count) {
    _bytes.replace(_position, std::min<unsigned long>(count, _bytes.size() - _position),
                   static_cast<const char*>(data), count);
    _position += static_cast<unsigned int>(count);
}

}  // namespace io
