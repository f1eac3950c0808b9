// Text from files made safe to show in a message.
#include "platform/echo.h"

#include <cstdio>

namespace {
// The length of the well-formed UTF-8 sequence at `at` for a character that
// is not a control character (not U+0080 to U+009F), 0 when there is none.
size_t Utf8Letter(const std::string& s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  unsigned long code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  }
  if (length == 0 || at + length > s.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    code = code << 6 | (byte(at + i) & 0x3Fu);
  }
  const unsigned long least[] = {0, 0, 0xA0, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code >= least[length] && code <= 0x10FFFF && !surrogate ? length : 0;
}
}  // namespace

std::string Echoed(const std::string& text, size_t most) {
  std::string shown;
  size_t width = 0;  // characters shown so far
  for (size_t at = 0; at < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    std::string piece;
    size_t length = 1;
    if (c == '\\') {
      piece = "\\\\";
    } else if (c >= 32 && c < 127) {
      piece = std::string(1, static_cast<char>(c));
    } else if ((length = Utf8Letter(text, at)) > 0) {
      piece = text.substr(at, length);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      piece = hex;
      length = 1;
    }
    const size_t pieceWidth = length > 1 ? 1 : piece.size();
    if (width + pieceWidth > most) return shown + "...";
    shown += piece;
    width += pieceWidth;
    at += length;
  }
  return shown;
}
