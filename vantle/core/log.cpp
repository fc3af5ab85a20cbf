#include "vantle/core/log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace core {

namespace {

const size_t kFormatSlack = 2048;
// Most lines fit here; longer ones get a buffer of their own.
const size_t kShortLine = 512;

}  // namespace

void Log::ConsoleWriter::Write(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Log::ConsoleWriter::Write(const char* text) {
    Write(std::string(text));
}

Log::Log() = default;

Log::~Log() = default;

void Log::SetWriter(Writer* writer) {
    threading::Mutex::Locker lock(_mutex);
    _writer.reset(writer);
    _has_writer = writer != nullptr;
}

void Log::Write(const std::string& text) {
    if (!_has_writer) return;
    threading::Mutex::Locker lock(_mutex);
    if (_writer) _writer->Write(text);
}

void Log::Write(const char* format, ...) {
    if (!_has_writer) return;
    threading::Mutex::Locker lock(_mutex);
    // Nobody would read it: nothing to format.
    if (!_writer) return;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char line[kShortLine];
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length < 0) line[0] = '\0';
    if (length < 0 || static_cast<size_t>(length) < sizeof line) {
        va_end(again);
        _writer->Write(static_cast<const char*>(line));
        return;
    }
    const size_t size = std::min(static_cast<size_t>(length) + 1, std::strlen(format) + kFormatSlack);
    std::unique_ptr<char[]> long_line(new char[size]);
    std::vsnprintf(long_line.get(), size, format, again);
    va_end(again);
    _writer->Write(static_cast<const char*>(long_line.get()));
}

}  // namespace core
