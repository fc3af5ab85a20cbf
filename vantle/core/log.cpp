#include "vantle/core/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace core {

namespace {
const size_t kFormatSlack = 2048;
}

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
}

void Log::Write(const std::string& text) {
    threading::Mutex::Locker lock(_mutex);
    if (_writer) _writer->Write(text);
}

void Log::Write(const char* format, ...) {
    std::vector<char> buffer(std::strlen(format) + kFormatSlack);
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);

    threading::Mutex::Locker lock(_mutex);
    if (_writer) _writer->Write(static_cast<const char*>(buffer.data()));
}

}  // namespace core
