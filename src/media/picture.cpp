// Picture files: the BMP header check, decoding, and mapping onto the game's colours.
#include "media/picture.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "platform/datafile.h"
#include "platform/fatal.h"

namespace {
uint32_t Le(const std::vector<unsigned char>& b, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

struct THeader {
  int64_t width = 0, height = 0;
  int bitsPerPixel = 0;
  uint32_t compression = 0, pixelOffset = 0;
};

// SDL would allocate whatever a header asks for before finding the file too
// short, so the header is read and checked first.
THeader ReadHeader(const std::vector<unsigned char>& b, const std::string& path, int maxSide) {
  auto fail = [&path](const std::string& what) { Fail(path + ": " + what); };
  if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') fail("not a BMP picture (it does not start with \"BM\")");
  if (b.size() < 18)
    fail("the file ends at byte " + std::to_string(b.size()) + ", inside the picture header");
  THeader h;
  h.pixelOffset = Le(b, 10, 4);
  const uint32_t infoSize = Le(b, 14, 4);
  if (infoSize != 12 && (infoSize < 40 || infoSize > 124))
    fail("not a BMP picture SDL can read (unknown header size " + std::to_string(infoSize) + ")");
  if (b.size() < 14 + static_cast<size_t>(infoSize))
    fail("the file ends at byte " + std::to_string(b.size()) + ", inside the picture header");
  if (infoSize == 12) {  // the old OS/2 header: 16-bit sizes
    h.width = Le(b, 18, 2);
    h.height = Le(b, 20, 2);
    h.bitsPerPixel = static_cast<int>(Le(b, 24, 2));
  } else {
    h.width = static_cast<int32_t>(Le(b, 18, 4));
    h.height = static_cast<int32_t>(Le(b, 22, 4));
    h.bitsPerPixel = static_cast<int>(Le(b, 28, 2));
    h.compression = Le(b, 30, 4);
  }
  if (h.height < 0) h.height = -h.height;  // stored top row first
  const std::string size = std::to_string(h.width) + "x" + std::to_string(h.height);
  if (h.width <= 0 || h.height <= 0) fail("the picture has no pixels (" + size + ")");
  if (h.width > maxSide || h.height > maxSide)
    fail("the picture is " + size + " pixels; a picture of this kind is at most " + std::to_string(maxSide) +
         " on a side");
  const int depth = h.bitsPerPixel;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
    fail(std::to_string(depth) + " bits per pixel, which no BMP picture has");
  const bool uncompressed = h.compression == 0 || h.compression == 3;
  if (uncompressed) {
    const uint64_t row = (static_cast<uint64_t>(h.width) * depth + 31) / 32 * 4;
    const uint64_t needed = static_cast<uint64_t>(h.pixelOffset) + row * static_cast<uint64_t>(h.height);
    if (needed > b.size())
      fail("the file ends at byte " + std::to_string(b.size()) + ", the picture needs " +
           std::to_string(needed));
  }
  return h;
}

// Nearest colour by squared distance, exact colours first so that a picture
// saved again in more bits gets its very indices back.
class TNearest {
public:
  explicit TNearest(const SDL_Color (&palette)[256]) : palette(palette) {
    for (int i = 255; i >= 0; --i)
      exact[Key(palette[i].r, palette[i].g, palette[i].b)] = static_cast<Uint8>(i);
  }
  Uint8 operator()(Uint8 r, Uint8 g, Uint8 b) {
    const auto hit = exact.find(Key(r, g, b));
    if (hit != exact.end()) return hit->second;
    const uint32_t key = Key(r, g, b);
    const auto near = found.find(key);
    if (near != found.end()) return near->second;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
      const long dr = r - palette[i].r, dg = g - palette[i].g, db = b - palette[i].b;
      const long d = dr * dr + dg * dg + db * db;
      if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
    }
    return found[key] = static_cast<Uint8>(best);
  }

private:
  static uint32_t Key(Uint8 r, Uint8 g, Uint8 b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
  const SDL_Color (&palette)[256];
  std::unordered_map<uint32_t, Uint8> exact, found;
};

bool HasPalette(const SDL_Surface* s, const SDL_Color (&palette)[256]) {
  const SDL_Palette* p = s->format->palette;
  if (s->format->BitsPerPixel != 8 || !p || p->ncolors != 256) return false;
  for (int i = 0; i < 256; ++i)
    if (p->colors[i].r != palette[i].r || p->colors[i].g != palette[i].g || p->colors[i].b != palette[i].b)
      return false;
  return true;
}

Uint32 RawPixel(const Uint8* p, int bytesPerPixel) {
  Uint32 v = 0;
  for (int i = bytesPerPixel - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
}  // namespace

SDL_Surface* DecodePicture(const std::vector<unsigned char>& bytes, const std::string& path, int maxSide) {
  ReadHeader(bytes, path, maxSide);
  SDL_Surface* picture = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
  if (!picture) Fail(path + ": not a BMP picture SDL can read (" + SDL_GetError() + ")");
  return picture;
}

SDL_Surface* LoadPicture(const std::string& path, int maxSide) {
  // The largest picture allowed, at 32 bits per pixel, with room for the headers.
  const size_t limit = static_cast<size_t>(maxSide) * maxSide * 4 + 65536;
  return DecodePicture(ReadWholeFile(path, limit), path, maxSide);
}

void TakePalette(const SDL_Surface* picture, const std::string& path, SDL_Color (&palette)[256]) {
  const SDL_Palette* own = picture->format->palette;
  if (!own)
    Fail(path +
         ": the game's colours are taken from this picture, so it must have a palette (8 bits per pixel "
         "or fewer); it has " +
         std::to_string(picture->format->BitsPerPixel));
  for (int i = 0; i < 256; ++i) palette[i] = i < own->ncolors ? own->colors[i] : SDL_Color{0, 0, 0, 0};
}

SDL_Surface* ToPalette(SDL_Surface* picture, const SDL_Color (&palette)[256]) {
  if (HasPalette(picture, palette)) return picture;
  SDL_Surface* out = SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 8, 0, 0, 0, 0);
  if (!out) Fail(std::string("cannot convert a picture to the game's colours: ") + SDL_GetError());
  SDL_SetColors(out, const_cast<SDL_Color*>(palette), 0, 256);
  TNearest nearest(palette);
  const SDL_PixelFormat* format = picture->format;
  const int bytesPerPixel = format->BytesPerPixel;
  // A paletted picture maps its few colours once; indices past its palette are black.
  Uint8 byIndex[256] = {};
  if (format->palette)
    for (int i = 0; i < format->palette->ncolors && i < 256; ++i)
      byIndex[i] =
          nearest(format->palette->colors[i].r, format->palette->colors[i].g, format->palette->colors[i].b);
  SDL_LockSurface(picture);
  SDL_LockSurface(out);
  for (int y = 0; y < picture->h; ++y) {
    const Uint8* in = static_cast<const Uint8*>(picture->pixels) + y * picture->pitch;
    Uint8* to = static_cast<Uint8*>(out->pixels) + y * out->pitch;
    for (int x = 0; x < picture->w; ++x, in += bytesPerPixel) {
      if (format->palette) {
        to[x] = bytesPerPixel == 1 ? byIndex[*in] : 0;
        continue;
      }
      Uint8 r, g, b, a;
      SDL_GetRGBA(RawPixel(in, bytesPerPixel), const_cast<SDL_PixelFormat*>(format), &r, &g, &b, &a);
      to[x] = format->Amask && a == 0 ? nearest(255, 0, 255) : nearest(r, g, b);
    }
  }
  SDL_UnlockSurface(out);
  SDL_UnlockSurface(picture);
  SDL_FreeSurface(picture);
  return out;
}
