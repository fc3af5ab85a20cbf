#include "vantle/io/file.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "vantle/core/log.h"

namespace io {

namespace {

// Keeps the XOR's temporary buffer small whatever the size of a write.
const unsigned long kXorChunk = 64 * 1024;

const char* StdioMode(unsigned int mode) {
    switch (mode) {
        case File::kRead:
            return "rb";
        case File::kWrite:
            return "wb";
        case File::kAppend:
            return "ab";
        default:
            return nullptr;
    }
}

}  // namespace

File::File(const std::string& filename, unsigned int mode) : _mode(mode), _filename(filename) {
    if (_filename.empty()) {
        core::Log::instance()->Write("Empty filename was given!");
        return;
    }
    Open();
}

File::File(const char* filename, unsigned int mode) : _mode(mode), _filename(filename ? filename : "") {
    Open();
}

File::~File() {
    if (_handle) std::fclose(_handle);
}

void File::Open() {
    const char* stdio_mode = StdioMode(_mode);
    if (!stdio_mode) return;
    _handle = std::fopen(_filename.c_str(), stdio_mode);
    // Standard I/O opens a folder for reading and then reports nonsense sizes.
    struct stat info;
    if (_handle && fstat(fileno(_handle), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(_handle);
        _handle = nullptr;
    }
}

unsigned int File::Size() const {
    if (!_handle) return 0;
    // Writes are flushed at once, so what the system knows of a regular file is its whole size.
    struct stat info;
    if (fstat(fileno(_handle), &info) == 0 && S_ISREG(info.st_mode))
        return static_cast<unsigned int>(info.st_size);
    long here = std::ftell(_handle);
    std::fseek(_handle, 0, SEEK_END);
    long end = std::ftell(_handle);
    std::fseek(_handle, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<unsigned int>(end);
}

bool File::Eof() const {
    return !_handle || std::feof(_handle) != 0;
}

unsigned int File::Seek(unsigned int position) {
    if (!_handle) return 0;
    std::fseek(_handle, static_cast<long>(position), SEEK_SET);
    return GetPosition();
}

unsigned int File::GetPosition() const {
    if (!_handle) return 0;
    long here = std::ftell(_handle);
    return here < 0 ? 0 : static_cast<unsigned int>(here);
}

unsigned long File::Read(void* buffer, unsigned long count) {
    if (!_handle || count == 0) return 0;
    unsigned long got = std::fread(buffer, 1, count, _handle);
    if (_xor_on) {
        // XOR in place: the bytes are the caller's already, no temporary buffer needed.
        unsigned char* bytes = static_cast<unsigned char*>(buffer);
        for (unsigned long i = 0; i < got; ++i) bytes[i] ^= static_cast<unsigned char>(_xor_key);
    }
    return got;
}

void File::Write(const void* data, unsigned long count) {
    if (!_handle) return;
    if (!_xor_on) {
        std::fwrite(data, 1, count, _handle);
        std::fflush(_handle);
        return;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> scrambled(std::min(count, kXorChunk));
    for (unsigned long done = 0; done < count;) {
        unsigned long n = std::min(count - done, kXorChunk);
        for (unsigned long i = 0; i < n; ++i)
            scrambled[i] = bytes[done + i] ^ static_cast<unsigned char>(_xor_key);
        std::fwrite(scrambled.data(), 1, n, _handle);
        done += n;
    }
    std::fflush(_handle);
}

void File::SetXor(char key) {
    _xor_key = key;
    _xor_on = true;
}

}  // namespace io
