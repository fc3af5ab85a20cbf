#pragma once

#include <string>

namespace test {

// A 16-bit PCM WAV file of a square wave at the mixer's 44100 Hz, stereo unless told otherwise.
std::string MakeWav(unsigned int frames, unsigned int channels = 2, unsigned int rate = 44100);

// Writes the bytes to the file; false when it cannot.
bool WriteFile(const std::string& path, const std::string& bytes);

}  // namespace test
