// Every picture the generator draws, one function each; spritegen.cpp decides the file names.
#pragma once
#include <cstdint>

#include "image.h"
#include "palette.h"

// A small fixed-seed generator so that textures come out the same on every run.
class Lcg {
public:
  explicit Lcg(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  double Unit() { return (Next() & 0xffff) / 65535.0; }

private:
  uint32_t state_;
};

// Bricks.
Indexed DrawBrick(Ramp ramp, double lift = 0);
Indexed DrawSteelBrick();
Indexed DrawCrackedBrick();
Indexed DrawBrickFlash();

// Balls and particles.
Indexed DrawBall();
Indexed DrawFireBall();
Indexed DrawSpark();
Indexed DrawZapp();
Indexed DrawFloaterZapp();
Indexed DrawDebris();
Indexed DrawStar();

// Paddles and their magnet fields.
Indexed DrawPaddle(int width);
Indexed DrawMagnetField(int width);

// Play-field frame and backdrop.
Indexed DrawWallV();
Indexed DrawWallH();
Indexed DrawCorner();
Indexed DrawBeam(Ramp ramp);
Indexed DrawBeamer(bool left);
Indexed DrawBackground();

// HUD strip, its parts and the box skins.
Indexed DrawHud();
Indexed DrawEnergySegment();
Indexed DrawLifeIcon();
Indexed DrawMessageSkin();
Indexed DrawMenuSkin();
// The menu skin's 60x60 tiles from a bar drawn 40 high: its top half the top row, its bottom half the bottom.
Indexed SkinFromBar(const Indexed& bar);
Indexed DrawCheckBox(bool ticked);

// Power-up capsules and floaters.
enum class Icon {
  Normal,
  Ball,
  PaddleLarge,
  PaddleSmall,
  Fire,
  Magnet,
  Question,
  SpeedUp,
  SpeedDown,
  Life,
  Reverse,
  PaddleSpeed
};
Indexed DrawCapsule();
Indexed DrawIcon(Icon icon);
Indexed DrawFloater();

// Title and maker's logo.
Indexed DrawTitle();
Indexed DrawLogo();

// Bitmap fonts with their marker row.
enum class FontStyle { Menu, MenuDark, Score };
Indexed DrawFont(FontStyle style);
