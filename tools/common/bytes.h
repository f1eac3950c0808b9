// Little-endian integers appended to a byte buffer, as the BMP and WAV
// writers of the asset generators need them.
#pragma once
#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}
