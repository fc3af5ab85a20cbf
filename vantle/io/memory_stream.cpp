#include "vantle/io/memory_stream.h"

#include <cstring>

namespace io {

MemoryStream::MemoryStream(void* buffer, unsigned int size)
    : _mode(kRead), _buffer(static_cast<const unsigned char*>(buffer)), _size(buffer ? size : 0) {}

MemoryStream::MemoryStream(void** /*buffer*/) : _mode(kWrite), _buffer(nullptr), _size(0) {}

unsigned int MemoryStream::Seek(unsigned int position) {
    _position = position < _size ? position : _size;
    return _position;
}

unsigned long MemoryStream::Read(void* buffer, unsigned long count) {
    // Nothing to copy: the caller's buffer may be null.
    if (Eof() || count == 0) return 0;
    unsigned long left = _size - _position;
    unsigned long n = count <= left ? count : left;
    std::memcpy(buffer, _buffer + _position, n);
    _position += static_cast<unsigned int>(n);
    return n;
}

}  // namespace io
