#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

// A PNG file of width x height RGBA pixels (4 bytes each, rows top to bottom), compressed with stored
// deflate blocks only: enough for tests to make their own images.
std::vector<std::uint8_t> EncodePng(unsigned int width, unsigned int height,
                                    const std::vector<std::uint8_t>& rgba);

// Writes the bytes to a file; false when it cannot.
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace test
