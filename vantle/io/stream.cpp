#include "vantle/io/stream.h"

namespace io {

std::string ReadText(const core::ptr<IStream>& stream) {
    stream->Seek(0);
    std::string text(stream->Size(), '\0');
    if (!text.empty()) text.resize(stream->Read(&text[0], text.size()));
    const std::string::size_type zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

}  // namespace io
