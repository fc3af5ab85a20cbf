#include "support/wav_file.h"

#include <cstdint>
#include <fstream>

namespace test {

namespace {

const unsigned int kBytesPerSample = 2;
const unsigned int kFormatChunkSize = 16;
const std::uint16_t kPcm = 1;
const unsigned int kHalfPeriodFrames = 50;
const std::int16_t kAmplitude = 8000;

void Put32(std::string* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void Put16(std::string* out, std::uint16_t value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>(value >> 8));
}

}  // namespace

std::string MakeWav(unsigned int frames, unsigned int channels, unsigned int rate) {
    const std::uint32_t data_size = frames * channels * kBytesPerSample;
    std::string out = "RIFF";
    Put32(&out, 4 + 8 + kFormatChunkSize + 8 + data_size);
    out += "WAVEfmt ";
    Put32(&out, kFormatChunkSize);
    Put16(&out, kPcm);
    Put16(&out, static_cast<std::uint16_t>(channels));
    Put32(&out, rate);
    Put32(&out, rate * channels * kBytesPerSample);
    Put16(&out, static_cast<std::uint16_t>(channels * kBytesPerSample));
    Put16(&out, 8 * kBytesPerSample);
    out += "data";
    Put32(&out, data_size);
    for (unsigned int frame = 0; frame < frames; ++frame) {
        std::int16_t sample = (frame / kHalfPeriodFrames) % 2 ? kAmplitude : -kAmplitude;
        for (unsigned int c = 0; c < channels; ++c) Put16(&out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace test
