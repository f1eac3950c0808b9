// spritegen <outdir> [theme]: draws every sprite and font of the game into <outdir>/sprites and
// <outdir>/fonts, in classic's look or the built-in theme named.
#include <cairo.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "art.h"
#include "look.h"

namespace {

struct Picture {
  const char* file;
  std::function<Indexed()> draw;
};

// Classic's drawing, or the current look's own for the field's materials.
std::function<Indexed()> Styled(std::function<Indexed()> classic, std::function<Indexed()> other) {
  return CurrentLook() == Look::Classic ? classic : other;
}

std::function<Indexed()> Brick(Ramp ramp, double lift = 0) {
  return Styled([=] { return DrawBrick(ramp, lift); }, [=] { return LookBrick(ramp); });
}

std::function<Indexed()> Paddle(int width) {
  return Styled([=] { return DrawPaddle(width); }, [=] { return LookPaddle(width); });
}

const std::vector<Picture>& Sprites() {
  static const std::vector<Picture> list = {
      {"ball", Styled(DrawBall, LookBall)},
      {"ball_fire", DrawFireBall},
      {"wall_v", Styled(DrawWallV, [] { return LookWall(true); })},
      {"wall_h", Styled(DrawWallH, [] { return LookWall(false); })},
      {"wall_rt", Styled(DrawCorner, LookCorner)},
      {"gray", Styled(DrawSteelBrick, LookSteelBrick)},
      {"blue", Brick(Ramp::Blue)},
      {"green", Brick(Ramp::Green)},
      {"purple", Brick(Ramp::Purple)},
      {"red", Brick(Ramp::Red)},
      {"yellow", Brick(Ramp::Yellow)},
      {"white", Brick(Ramp::Grey, 0.22)},
      {"cracked", Styled(DrawCrackedBrick, LookCrackedBrick)},
      {"paddle", Paddle(64)},
      {"paddle_large", Paddle(96)},
      {"paddle_small", Paddle(40)},
      {"paddle_magnet", [] { return DrawMagnetField(64); }},
      {"paddle_small_magnet", [] { return DrawMagnetField(40); }},
      {"paddle_large_magnet", [] { return DrawMagnetField(96); }},
      {"bonus", DrawCapsule},
      {"bonus_normal", [] { return DrawIcon(Icon::Normal); }},
      {"bonus_ball", [] { return DrawIcon(Icon::Ball); }},
      {"bonus_paddlelarge", [] { return DrawIcon(Icon::PaddleLarge); }},
      {"bonus_paddlesmall", [] { return DrawIcon(Icon::PaddleSmall); }},
      {"bonus_fire", [] { return DrawIcon(Icon::Fire); }},
      {"bonus_magnet", [] { return DrawIcon(Icon::Magnet); }},
      {"bonus_question", [] { return DrawIcon(Icon::Question); }},
      {"bonus_speedup", [] { return DrawIcon(Icon::SpeedUp); }},
      {"bonus_speeddown", [] { return DrawIcon(Icon::SpeedDown); }},
      {"bonus_life", [] { return DrawIcon(Icon::Life); }},
      {"bonus_reverse", [] { return DrawIcon(Icon::Reverse); }},
      {"bonus_paddlespeed", [] { return DrawIcon(Icon::PaddleSpeed); }},
      {"floater", DrawFloater},
      {"beam_blue", [] { return DrawBeam(Ramp::Blue); }},
      {"beam_red", [] { return DrawBeam(Ramp::Red); }},
      {"beam_green", [] { return DrawBeam(Ramp::Green); }},
      {"beamer_left", [] { return DrawBeamer(true); }},
      {"beamer_right", [] { return DrawBeamer(false); }},
      {"life", DrawLifeIcon},
      {"hud", Styled(DrawHud, LookHud)},
      {"energy_bar", DrawEnergySegment},
      {"message", Styled(DrawMessageSkin, LookMessageSkin)},
      {"menu", Styled(DrawMenuSkin, LookMenuSkin)},
      {"background", Styled(DrawBackground, LookBackground)},
      {"mask", DrawBrickFlash},
      {"spark", DrawSpark},
      {"zapp", DrawZapp},
      {"floater_zapp", DrawFloaterZapp},
      {"fall", DrawDebris},
      {"star", DrawStar},
      {"logo", DrawLogo},
      {"rebounder", DrawTitle},
      {"check_off", [] { return DrawCheckBox(false); }},
      {"check_on", [] { return DrawCheckBox(true); }},
  };
  return list;
}

void MakeDir(const std::string& path) {
  if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "spritegen: cannot create %s\n", path.c_str());
    std::exit(1);
  }
}

}  // namespace

// Fontconfig, which Cairo asks for the face, keeps its caches until exit; a sanitizer build must not fail on
// them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 3 && ChooseLook(argv[2]))) {
    std::fprintf(stderr, "usage: spritegen <outdir> [classic|neon|paper|contrast]\n");
    return 2;
  }
  const std::string out = argv[1];
  MakeDir(out);
  MakeDir(out + "/sprites");
  MakeDir(out + "/fonts");
  for (const Picture& p : Sprites()) WriteBmp(out + "/sprites/" + p.file + ".bmp", p.draw());
  WriteBmp(out + "/fonts/menu.fnt", DrawFont(FontStyle::Menu));
  WriteBmp(out + "/fonts/menudark.fnt", DrawFont(FontStyle::MenuDark));
  WriteBmp(out + "/fonts/score.fnt", DrawFont(FontStyle::Score));
  cairo_debug_reset_static_data();
  return 0;
}
