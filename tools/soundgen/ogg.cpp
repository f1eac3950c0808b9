// ogg.cpp: Ogg Vorbis encoder around libvorbisenc, with a fixed stream serial so the file is reproducible.
#include "ogg.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>

#include <cstdio>

namespace ogg {

namespace {

constexpr int kSerial = 0x52424e44;
constexpr int kChunkFrames = 1024;

struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  FILE* file = nullptr;
  bool ok = true;
};

void WritePage(Encoder& e, const ogg_page& page) {
  if (fwrite(page.header, 1, page.header_len, e.file) != static_cast<size_t>(page.header_len)) e.ok = false;
  if (fwrite(page.body, 1, page.body_len, e.file) != static_cast<size_t>(page.body_len)) e.ok = false;
}

void WriteHeaders(Encoder& e) {
  ogg_packet id, comments, codebooks;
  vorbis_analysis_headerout(&e.dsp, &e.comment, &id, &comments, &codebooks);
  ogg_stream_packetin(&e.stream, &id);
  ogg_stream_packetin(&e.stream, &comments);
  ogg_stream_packetin(&e.stream, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&e.stream, &page) != 0) WritePage(e, page);
}

// Pulls every finished block out of the encoder and writes the pages it fills.
void Drain(Encoder& e) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
    vorbis_analysis(&e.block, nullptr);
    vorbis_bitrate_addblock(&e.block);
    while (vorbis_bitrate_flushpacket(&e.dsp, &packet) != 0) {
      ogg_stream_packetin(&e.stream, &packet);
      while (ogg_stream_pageout(&e.stream, &page) != 0) WritePage(e, page);
    }
  }
}

void Feed(Encoder& e, const std::vector<float>& interleaved) {
  size_t frames = interleaved.size() / 2;
  for (size_t start = 0; start < frames; start += kChunkFrames) {
    size_t n = frames - start < static_cast<size_t>(kChunkFrames) ? frames - start : kChunkFrames;
    float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(n));
    for (size_t i = 0; i < n; ++i) {
      buffer[0][i] = interleaved[2 * (start + i)];
      buffer[1][i] = interleaved[2 * (start + i) + 1];
    }
    vorbis_analysis_wrote(&e.dsp, static_cast<int>(n));
    Drain(e);
  }
  vorbis_analysis_wrote(&e.dsp, 0);
  Drain(e);
  ogg_page page;
  while (ogg_stream_flush(&e.stream, &page) != 0) WritePage(e, page);
}

}  // namespace

bool WriteVorbis(const std::string& path, const std::vector<float>& interleaved, int rate, float quality,
                 const std::string& title) {
  Encoder e;
  vorbis_info_init(&e.info);
  if (vorbis_encode_init_vbr(&e.info, 2, rate, quality) != 0) {
    vorbis_info_clear(&e.info);
    return false;
  }
  e.file = fopen(path.c_str(), "wb");
  if (e.file == nullptr) {
    vorbis_info_clear(&e.info);
    return false;
  }
  vorbis_comment_init(&e.comment);
  vorbis_comment_add_tag(&e.comment, "TITLE", title.c_str());
  vorbis_analysis_init(&e.dsp, &e.info);
  vorbis_block_init(&e.dsp, &e.block);
  ogg_stream_init(&e.stream, kSerial);
  WriteHeaders(e);
  Feed(e, interleaved);
  ogg_stream_clear(&e.stream);
  vorbis_block_clear(&e.block);
  vorbis_dsp_clear(&e.dsp);
  vorbis_comment_clear(&e.comment);
  vorbis_info_clear(&e.info);
  if (fclose(e.file) != 0) e.ok = false;
  return e.ok;
}

}  // namespace ogg
