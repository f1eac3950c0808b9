// ogg.h: encodes a stereo float buffer as an Ogg Vorbis file.
#pragma once

#include <string>
#include <vector>

namespace ogg {

// interleaved: left, right, left, right... in [-1, 1]. quality is libvorbis' VBR scale (-0.1..1).
bool WriteVorbis(const std::string& path, const std::vector<float>& interleaved, int rate, float quality,
                 const std::string& title);

}  // namespace ogg
