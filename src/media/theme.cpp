// Loading a theme over the classic files, and finding the themes there are.
#include "media/theme.h"

#include <SDL/SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/globals.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "media/picture.h"
#include "media/spritecopy.h"
#include "platform/assetdir.h"
#include "platform/datafile.h"
#include "platform/fatal.h"

namespace fs = std::filesystem;

namespace {
// The game's own sounds are well under a megabyte, its music about two.
constexpr size_t MaxSoundBytes = 8u << 20;
constexpr size_t MaxMusicBytes = 32u << 20;
constexpr size_t MaxPictureBytes = static_cast<size_t>(MaxSpriteSide) * MaxSpriteSide * 4 + 65536;
constexpr size_t MaxFontBytes = static_cast<size_t>(MaxFontSide) * 64 * 4 + 65536;

std::string current = ClassicTheme;
std::vector<std::string> refusals;

// "sprites//ball.bmp" in the theme's folder.
std::string InFolder(const std::string& folder, const std::string& catalogPath) {
  std::string path = catalogPath;
  const size_t twice = path.find("//");
  if (twice != std::string::npos) path.erase(twice, 1);
  return folder + path;
}

void Refuse(const std::string& problem) {
  refusals.push_back(problem + "; classic's file is used instead");
  std::fprintf(stderr, "rebounder: %s\n", refusals.back().c_str());
}

// The theme's picture when it has a good one: null when it has none, or
// refused when it is damaged or not of the size the game draws it at.
SDL_Surface* ThemePicture(const std::string& folder, const std::string& catalogPath, int maxSide, int w,
                          int h, size_t limit) {
  if (folder.empty()) return nullptr;
  const std::string path = InFolder(folder, catalogPath);
  std::vector<unsigned char> bytes;
  std::string error;
  try {
    if (!TryReadWholeFile(path, limit, bytes, error)) {
      if (!error.empty()) Refuse(error);
      return nullptr;
    }
    SDL_Surface* picture = DecodePicture(bytes, path, maxSide);
    if (picture->w == w && picture->h == h) return picture;
    Refuse(path + ": the picture is " + std::to_string(picture->w) + "x" + std::to_string(picture->h) +
           " pixels; the game draws this one at " + std::to_string(w) + "x" + std::to_string(h));
    SDL_FreeSurface(picture);
  } catch (const TFatalError& e) {
    Refuse(e.what());
  }
  return nullptr;
}

SDL_Surface* ThemeOrClassicPicture(const std::string& folder, const char* catalogPath, int maxSide,
                                   const SDL_Surface* now, size_t limit) {
  if (SDL_Surface* own = ThemePicture(folder, catalogPath, maxSide, now->w, now->h, limit)) return own;
  return LoadAssetPicture(AssetPath(catalogPath).c_str(), maxSide);
}

// The new picture's pixels, in the game's new colours, into the sprite's own surface.
void Overwrite(SDL_Surface* sprite, SDL_Surface* picture, const SDL_Color (&palette)[256]) {
  picture = ToPalette(picture, palette);
  SDL_SetColors(sprite, const_cast<SDL_Color*>(palette), 0, 256);
  SDL_LockSurface(sprite);
  SDL_LockSurface(picture);
  for (int y = 0; y < sprite->h; ++y)
    std::copy_n(static_cast<const Uint8*>(picture->pixels) + y * picture->pitch, sprite->w,
                static_cast<Uint8*>(sprite->pixels) + y * sprite->pitch);
  SDL_UnlockSurface(picture);
  SDL_UnlockSurface(sprite);
  SDL_FreeSurface(picture);
  SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, SDL_MapRGB(sprite->format, 255, 0, 255));
  NoteIfOpaque(sprite);
}

// The theme's colours come from its HUD picture, which must have a palette;
// false when the theme has no HUD picture the game can use.
bool TakeThemePalette(const std::string& folder, SDL_Color (&palette)[256]) {
  const char* hud = "sprites//hud.bmp";
  if (SDL_Surface* own =
          ThemePicture(folder, hud, MaxSpriteSide, Game.sprHud->w, Game.sprHud->h, MaxPictureBytes)) {
    if (own->format->palette) {
      TakePalette(own, hud, palette);
      SDL_FreeSurface(own);
      return true;
    }
    Refuse(InFolder(folder, hud) +
           ": the theme's colours are taken from this picture, so it must have a palette (8 "
           "bits per pixel or fewer)");
    SDL_FreeSurface(own);
  }
  SDL_Surface* classic = LoadAssetPicture(AssetPath(hud).c_str(), MaxSpriteSide);
  TakePalette(classic, hud, palette);
  SDL_FreeSurface(classic);
  return false;
}

void UseSprites(const std::string& folder) {
  SDL_Color palette[256];
  const bool ownHud = TakeThemePalette(folder, palette);
  for (const TSpriteEntry& e : SpriteCatalogue) {
    SDL_Surface* sprite = Game.*(e.field);
    const std::string from = sprite == Game.sprHud && !ownHud ? "" : folder;
    Overwrite(sprite, ThemeOrClassicPicture(from, e.path, MaxSpriteSide, sprite, MaxPictureBytes), palette);
  }
  std::copy_n(palette, 256, Game.palette);
  for (SDL_Surface* screen : {Game.screen, SDL_GetVideoSurface()})
    if (screen && screen->format->palette) SDL_SetColors(screen, palette, 0, 256);
}

void UseFonts(const std::string& folder) {
  for (CFont* font : {&Game.fontMenu, &Game.fontMenuDark, &Game.fontScore}) {
    const char* path = font == &Game.fontMenu       ? "fonts//menu.fnt"
                       : font == &Game.fontMenuDark ? "fonts//menudark.fnt"
                                                    : "fonts//score.fnt";
    SDL_Surface* picture = ThemeOrClassicPicture(folder, path, MaxFontSide, font->image, MaxFontBytes);
    SDL_FreeSurface(font->image);
    *font = FontFromPicture(picture);
  }
}

bool AudioOpen() {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  return Mix_QuerySpec(&rate, &format, &channels) != 0;
}

Mix_Chunk* ThemeSound(const std::string& folder, const char* catalogPath) {
  if (folder.empty()) return nullptr;
  const std::string path = InFolder(folder, catalogPath);
  std::vector<unsigned char> bytes;
  std::string error;
  if (!TryReadWholeFile(path, MaxSoundBytes, bytes, error)) {
    if (!error.empty()) Refuse(error);
    return nullptr;
  }
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
  if (!chunk) Refuse(path + ": not a sound the game can play (" + Mix_GetError() + ")");
  return chunk;
}

void UseSounds(const std::string& folder) {
  for (const TSoundEntry& e : SoundCatalogue) {
    Mix_Chunk* chunk = ThemeSound(folder, e.path);
    if (!chunk) chunk = Mix_LoadWAV_RW(SDL_RWFromFile(AssetPath(e.path).c_str(), "rb"), 1);
    if (Game.*(e.field)) Mix_FreeChunk(Game.*(e.field));
    Game.*(e.field) = chunk;
  }
  ApplySoundVolumes();
}

Mix_Music* ThemeMusic(const std::string& folder, const char* catalogPath) {
  if (folder.empty()) return nullptr;
  const std::string path = InFolder(folder, catalogPath);
  std::error_code error;
  const auto status = fs::status(path, error);
  if (!fs::exists(status)) return nullptr;
  const auto size = fs::is_regular_file(status) ? fs::file_size(path, error) : 0;
  if (error || !fs::is_regular_file(status) || size == 0 || size > MaxMusicBytes) {
    Refuse(path + ": not music the game can play (an empty or unreadable file, or one over " +
           std::to_string(MaxMusicBytes >> 20) + " MB)");
    return nullptr;
  }
  Mix_Music* music = Mix_LoadMUS(path.c_str());
  if (!music) Refuse(path + ": not music the game can play (" + Mix_GetError() + ")");
  return music;
}

void UseMusic(const std::string& folder) {
  const char* path = "music//rebounder.ogg";
  Mix_Music* music = ThemeMusic(folder, path);
  if (!music) music = Mix_LoadMUS(AssetPath(path).c_str());
  const bool playing = Mix_PlayingMusic() != 0;
  Mix_HaltMusic();
  if (Game.music) Mix_FreeMusic(Game.music);
  Game.music = music;
  if (playing && music) Mix_PlayMusic(music, -1);
}

bool IsBuiltIn(const std::string& name) {
  const auto& names = BuiltInThemes();
  return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

const std::vector<std::string>& BuiltInThemes() {
  static const std::vector<std::string> names = {ClassicTheme, "neon", "paper", "contrast"};
  return names;
}

std::string PlayerThemesFolder() {
  const std::string data = UserDataFolder();
  return data.empty() ? "" : data + "themes/";
}

std::vector<std::string> ThemeNames() {
  std::vector<std::string> own;
  std::error_code error;
  const std::string folder = PlayerThemesFolder();
  if (!folder.empty())
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      std::error_code ignored;
      if (fs::is_directory(entry.path(), ignored) && name[0] != '.' && !IsBuiltIn(name)) own.push_back(name);
    }
  std::sort(own.begin(), own.end());
  std::vector<std::string> names = BuiltInThemes();
  names.insert(names.end(), own.begin(), own.end());
  return names;
}

bool ThemeExists(const std::string& name) {
  const auto names = ThemeNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string ThemeFolder(const std::string& name) {
  if (name == ClassicTheme) return "";
  if (IsBuiltIn(name)) return AssetPath("themes/" + name + "/");
  return PlayerThemesFolder() + name + "/";
}

const std::string& CurrentTheme() { return current; }

void UseTheme(const std::string& name) {
  refusals.clear();
  const std::string folder = ThemeFolder(name);
  UseSprites(folder);
  UseFonts(folder);
  if (AudioOpen()) {
    UseSounds(folder);
    UseMusic(folder);
  }
  current = name;
}

const std::vector<std::string>& ThemeRefusals() { return refusals; }
