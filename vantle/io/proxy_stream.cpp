#include "vantle/io/proxy_stream.h"

namespace io {

ProxyStream::ProxyStream(const core::ptr<IStream>& source, unsigned int start, unsigned int size,
                         const std::string& filename)
    : _source(source), _start(start), _size(size), _filename(filename) {}

bool ProxyStream::Eof() const {
    if (!_source || _source->Eof()) return true;
    return _source->GetPosition() - _start >= _size;
}

unsigned int ProxyStream::Seek(unsigned int position) {
    if (!_source) return 0;
    return _source->Seek(_start + position) - _start;
}

unsigned int ProxyStream::GetPosition() const {
    if (!_source) return 0;
    return _source->GetPosition() - _start;
}

unsigned long ProxyStream::Read(void* buffer, unsigned long count) {
    if (!_source) return 0;
    return _source->Read(buffer, count);
}

}  // namespace io
