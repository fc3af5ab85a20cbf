#include "support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace test {

TempDir::TempDir() {
    char pattern[] = "/tmp/vantle_test_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made) _path = made;
}

TempDir::~TempDir() {
    if (_path.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(_path, ignored);
}

}  // namespace test
