#include "vantle/io/proxy_stream.h"

namespace io {

ProxyStream::ProxyStream(const core::ptr<IStream>& source, unsigned int start, unsigned int size,
                         const std::string& filename)
    : _source(source), _start(start), _size(size), _filename(filename) {}

bool ProxyStream::Eof() const {
    return !_source || _position >= _size;
}

unsigned int ProxyStream::Seek(unsigned int position) {
    if (!_source) return 0;
    _position = position < _size ? position : _size;
    return _position;
}

unsigned int ProxyStream::GetPosition() const {
    return _source ? _position : 0;
}

unsigned long ProxyStream::Read(void* buffer, unsigned long count) {
    if (!_source || _position >= _size) return 0;
    // Each window keeps its own place: another window on the same source may have moved it.
    if (_source->Seek(_start + _position) != _start + _position) return 0;
    unsigned long left = _size - _position;
    unsigned long got = _source->Read(buffer, count < left ? count : left);
    _position += static_cast<unsigned int>(got);
    return got;
}

}  // namespace io
