// The picture's scale and the screen's layout, worked out from sizes alone.
#include "platform/screenlayout.h"

#include <algorithm>
#include <cmath>

namespace {
// Room a window leaves on the desktop for its title bar, borders and panels.
constexpr int FrameRoomX = 16;
constexpr int FrameRoomY = 80;
// Full screen fills rather than leave more than this share of the height black.
constexpr double MostBlack = 0.10;

bool Fits(int scale, int width, int height, bool fullscreen) {
  if (width <= 0 || height <= 0) return true;  // desktop size unknown
  const int roomX = fullscreen ? 0 : FrameRoomX;
  const int roomY = fullscreen ? 0 : FrameRoomY;
  return PictureWidth * scale <= width - roomX && PictureHeight * scale <= height - roomY;
}

// The stage's side: the screen's in picture pixels, rounded up to the
// picture's parity so that the picture stands in its exact middle.
int StageSide(int screen, double factor, int picture) {
  const int side = std::max(picture, static_cast<int>(std::ceil(screen / factor - 1e-9)));
  return side + (side - picture) % 2;
}
}  // namespace

SDL_Rect CentredFrame(const SDL_Rect& area, int frameWidth, int frameHeight) {
  SDL_Rect place = area;
  place.x = static_cast<Sint16>(area.x + std::max(0, (area.w - frameWidth) / 2));
  place.y = static_cast<Sint16>(area.y + std::max(0, (area.h - frameHeight) / 2));
  place.w = static_cast<Uint16>(frameWidth);
  place.h = static_cast<Uint16>(frameHeight);
  return place;
}

int FittingScale(int width, int height, bool fullscreen) {
  if (width <= 0 || height <= 0) return 1;
  int scale = MaxScale;
  while (scale > 1 && !Fits(scale, width, height, fullscreen)) --scale;
  // SDL stretches a full-screen mode to the desktop by one factor for both
  // axes, taken from the axis that fills; that factor is whole only when the
  // scale divides that axis. A smaller crisp picture beats a bigger uneven one.
  while (fullscreen && scale > 1 && width % scale != 0 && height % scale != 0) --scale;
  return scale;
}

SDL_Rect FullscreenMode(int width, int height, int scale) {
  SDL_Rect mode = {0, 0, PictureWidth, PictureHeight};
  if (scale < 1 || width / scale < PictureWidth || height / scale < PictureHeight) return mode;
  mode.w = static_cast<Uint16>(width / scale);
  mode.h = static_cast<Uint16>(height / scale);
  return mode;
}

bool ParseScale(const std::string& text, int& scale) {
  if (text == "auto" || text == "fill") {
    scale = text == "auto" ? 0 : FillScale;
    return true;
  }
  if (text.empty() || text.size() > 1 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int value = std::stoi(text);
  if (value < 1 || value > MaxScale) return false;
  scale = value;
  return true;
}

std::string ScaleText(int scale) {
  return scale == 0 ? "auto" : scale == FillScale ? "fill" : std::to_string(scale);
}

int ResolveScale(int requested, int width, int height, bool fullscreen, std::string& note) {
  note.clear();
  const int fitting = FittingScale(width, height, fullscreen);
  if (requested == FillScale) return FillScale;
  if (requested <= 0) {
    const bool tooMuchBlack = height > 0 && height - PictureHeight * fitting > MostBlack * height;
    return fullscreen && tooMuchBlack ? FillScale : fitting;
  }
  if (Fits(requested, width, height, fullscreen)) return requested;
  note = "scale " + std::to_string(requested) + " does not fit the " + std::to_string(width) + "x" +
         std::to_string(height) + (fullscreen ? " screen" : " desktop with a window frame") + "; using " +
         std::to_string(fitting);
  return fitting;
}

TScreenLayout LayoutScreen(int scale, int width, int height, bool fullscreen, const SDL_Rect& area,
                           int frameWidth, int frameHeight) {
  TScreenLayout layout;
  double factor = scale;
  if (scale == FillScale) {
    const int roomW = fullscreen ? width : area.w - frameWidth;
    const int roomH = fullscreen ? height : area.h - frameHeight;
    factor =
        roomW > 0 && roomH > 0 ? std::min(double(roomW) / PictureWidth, double(roomH) / PictureHeight) : 1;
    factor = std::max(factor, 1.0);
    // A window keeps the picture's shape in whole pixels: a height of whole
    // thirds makes the width whole too.
    if (!fullscreen && factor != std::floor(factor))
      factor = std::max(1.0, std::floor(PictureHeight * factor / 3) * 3 / PictureHeight);
    layout.panelsFill = fullscreen;
  }
  layout.factor = factor;
  if (factor == std::floor(factor)) {
    // SDL scales by a whole factor: crisp, and cheaper than the game doing it.
    const int whole = static_cast<int>(factor);
    if (fullscreen) {
      const SDL_Rect mode = FullscreenMode(width, height, whole);
      layout.videoWidth = layout.stageWidth = mode.w;
      layout.videoHeight = layout.stageHeight = mode.h;
    } else {
      layout.windowScaling = whole;
    }
    return layout;
  }
  layout.gameScales = true;
  if (fullscreen) {
    layout.videoWidth = width;
    layout.videoHeight = height;
    layout.stageWidth = StageSide(width, factor, PictureWidth);
    layout.stageHeight = StageSide(height, factor, PictureHeight);
  } else {
    layout.videoWidth = static_cast<int>(std::lround(PictureWidth * factor));
    layout.videoHeight = static_cast<int>(std::lround(PictureHeight * factor));
  }
  layout.offsetX = (layout.videoWidth - layout.stageWidth * factor) / 2;
  layout.offsetY = (layout.videoHeight - layout.stageHeight * factor) / 2;
  return layout;
}

void WindowToStage(const TScreenLayout& layout, int& x, int& y) {
  if (!layout.gameScales) return;  // SDL reports stage pixels itself
  const auto to = [&layout](int at, double offset, int size) {
    const int p = static_cast<int>(std::floor((at + 0.5 - offset) / layout.factor));
    return std::clamp(p, 0, size - 1);
  };
  x = to(x, layout.offsetX, layout.stageWidth);
  y = to(y, layout.offsetY, layout.stageHeight);
}

void StageToWindow(const TScreenLayout& layout, int& x, int& y) {
  if (!layout.gameScales) return;
  x = static_cast<int>(std::floor(layout.offsetX + (x + 0.5) * layout.factor));
  y = static_cast<int>(std::floor(layout.offsetY + (y + 0.5) * layout.factor));
}
