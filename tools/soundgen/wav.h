// wav.h: writes 16-bit PCM RIFF WAVE files.
#pragma once

#include <string>
#include <vector>

namespace wav {

// Samples are interleaved floats in [-1, 1]; they are rounded and clamped to 16 bits.
bool Write(const std::string& path, const std::vector<float>& samples, int channels, int rate);

}  // namespace wav
