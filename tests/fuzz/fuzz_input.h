#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace test {

// The fuzz input as count texts: the parts before each of the first count - 1 zero bytes, then the rest,
// zero bytes included. Parts the input runs out before are empty.
inline std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size, std::size_t count) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < count && start <= input.size()) {
        std::size_t end = input.find('\0', start);
        if (end == std::string::npos) end = input.size();
        parts.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(start < input.size() ? input.substr(start) : std::string());
    parts.resize(count);
    return parts;
}

// Stops the run with a message when a promise of the code under test is broken, which libFuzzer and the
// replay both report as a crash.
inline void FuzzCheck(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", promise);
    std::abort();
}

}  // namespace test
