// wav.cpp: RIFF WAVE writer, little-endian whatever the host.
#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "../common/bytes.h"

namespace wav {

namespace {

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool Write(const std::string& path, const std::vector<float>& samples, int channels, int rate) {
  uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // integer PCM
  Put16(out, channels);
  Put32(out, rate);
  Put32(out, rate * channels * 2);
  Put16(out, channels * 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (float s : samples) {
    long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace wav
