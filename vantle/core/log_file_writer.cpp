#include "vantle/core/log.h"
#include "vantle/io/file.h"

namespace core {

Log::FileWriter::FileWriter(const std::string& file_name)
    : _file(new io::File(file_name, io::File::kWrite)) {}

Log::FileWriter::~FileWriter() = default;

void Log::FileWriter::Write(const std::string& text) {
    if (!_file->IsOpened()) return;
    // One write per line, so a line is either wholly on disk or not at all.
    std::string line = text;
    line += '\n';
    _file->Write(line.data(), line.size());
}

void Log::FileWriter::Write(const char* text) {
    Write(std::string(text ? text : ""));
}

}  // namespace core
