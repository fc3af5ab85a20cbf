#include "vantle/utils/config.h"

#include <cstring>
#include <vector>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/io/file.h"
#include "vantle/io/loader.h"
#include "vantle/io/replace_file.h"

namespace utils {

std::string Config::filename;

namespace {

const char kLineIndent[] = " \t";
const char kKeyBlanks[] = " \t\r";
const char kValueBlanks[] = " \t\r\n";
const char kSeparator[] = " = ";
const char kLineEnd[] = "\r\n";

std::string TrimRight(const std::string& text, const char* blanks) {
    const std::string::size_type last = text.find_last_not_of(blanks);
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string Trim(const std::string& text, const char* blanks) {
    const std::string::size_type first = text.find_first_not_of(blanks);
    return first == std::string::npos ? std::string() : TrimRight(text.substr(first), blanks);
}

std::string Unquote(std::string value) {
    if (value.empty() || value.front() != '"') return value;
    value.erase(0, 1);
    if (!value.empty() && value.back() == '"') value.pop_back();
    return value;
}

// One setting of a line, or false for blank lines, comments and malformed lines.
bool ParseLine(const std::string& line, std::string& key, std::string& value) {
    const std::string::size_type start = line.find_first_not_of(kLineIndent);
    if (start == std::string::npos) return false;
    const std::string::size_type equals = line.find('=', start);
    if (equals == std::string::npos) return false;
    if (line[start] == '#') return false;
    key = TrimRight(line.substr(start, equals - start), kKeyBlanks);
    if (key.empty()) return false;
    value = Unquote(Trim(line.substr(equals + 1), kValueBlanks));
    return true;
}

bool IsIn(char c, const char* set) {
    return c != '\0' && std::strchr(set, c) != nullptr;
}

// Whether a line written for this key and value reads back as exactly that one setting: the reading
// trims exactly what it trims above, and lines end at line feeds only, so a carriage return inside a
// key or value is harmless.
bool RoundTrips(const std::string& key, const std::string& value) {
    if (key.empty() || key.front() == '#' || IsIn(key.front(), kLineIndent) || IsIn(key.back(), kKeyBlanks))
        return false;
    if (key.find_first_of(std::string("=\n\0", 3)) != std::string::npos) return false;
    return value.find_first_of(std::string("\n\0", 2)) == std::string::npos;
}

// Quotes keep blanks at the ends and a leading quote, which reading would strip.
std::string FormatLine(const std::string& key, const std::string& value) {
    const bool quote = !value.empty() && (IsIn(value.front(), kValueBlanks) ||
                                          IsIn(value.back(), kValueBlanks) || value.front() == '"');
    return key + kSeparator + (quote ? "\"" + value + "\"" : value) + kLineEnd;
}

}  // namespace

Config::Config() {
    Reload();
}

Config::~Config() {
    SaveToFile();
}

void Config::SetFilename(const std::string& name) {
    filename = name;
}

void Config::Reload() {
    Load(core::ptr<io::IStream>(new io::File(filename, io::File::kRead)), false);
}

void Config::LoadDefaults(const std::string& name) {
    Load(io::Loader::instance()->Load(name), true);
}

void Config::Load(const core::ptr<io::IStream>& stream, bool defaults) {
    if (!stream || !stream->IsOpened()) return;
    std::string key, value;
    for (const std::string& line : core::str_split(io::ReadText(stream), "\n")) {
        if (!ParseLine(line, key, value)) continue;
        if (defaults) _defaults[key] = core::Value(value);
        _values[key] = core::Value(value);
    }
}

std::vector<std::string> Config::Lines() const {
    std::vector<std::string> lines;
    for (const auto& entry : _values) {
        const std::string value = entry.second.as_string();
        const auto preset = _defaults.find(entry.first);
        if (preset != _defaults.end() && preset->second.as_string() == value) continue;
        if (!RoundTrips(entry.first, value)) continue;
        lines.push_back(FormatLine(entry.first, value));
    }
    return lines;
}

void Config::Save(const core::ptr<io::IStream>& stream) {
    if (!stream || !stream->IsOpened()) return;
    for (const std::string& line : Lines()) stream->Write(line.data(), line.size());
}

core::Value Config::Get(const std::string& key) const {
    const auto found = _values.find(key);
    return found == _values.end() ? core::Value() : found->second;
}

void Config::Set(const std::string& key, const core::Value& value) {
    if (!RoundTrips(key, value.as_string())) {
        core::Log::instance()->Write(
            "Setting refused: the key or value holds a line break, a zero byte or \"=\"");
        return;
    }
    _values[key] = value;
    SaveToFile();
}

// The old file is replaced only by a complete new one: a crash or a full disk leaves either.
bool Config::SaveToFile() const {
    if (filename.empty()) {
        if (core::Log::exists()) core::Log::instance()->Write("Empty filename was given!");
        return false;
    }
    std::string text;
    for (const std::string& line : Lines()) text += line;
    if (io::ReplaceFile(filename, text)) return true;
    if (core::Log::exists()) core::Log::instance()->Write("Can't save settings to %s", filename.c_str());
    return false;
}

}  // namespace utils
