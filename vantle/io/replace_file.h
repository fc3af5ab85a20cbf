#pragma once

#include <string>

namespace io {

// Writes the bytes to a temporary file beside the path ("<path>.tmp"), flushes them to the disk and
// renames it over the path, so that a crash or a full disk leaves the old file or the new one, never a
// mix. False when any step failed; the old file is then untouched and the temporary file removed.
bool ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace io
