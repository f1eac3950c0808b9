// Which built-in theme the generator draws: classic, or one of the looks that
// redraw the field's materials (bricks, ball, paddle, frame, backdrop) and
// recolour everything else through their own palette.
#pragma once
#include <string>

#include "image.h"
#include "palette.h"

enum class Look { Classic, Neon, Paper, Contrast };

Look CurrentLook();
// False for a name that is no built-in theme.
bool ChooseLook(const std::string& name);

// The field's materials in the current look; classic's are drawn elsewhere.
Indexed LookBrick(Ramp ramp);
Indexed LookSteelBrick();
Indexed LookCrackedBrick();
Indexed LookBall();
Indexed LookPaddle(int width);
Indexed LookWall(bool vertical);
Indexed LookCorner();
Indexed LookBackground();
Indexed LookHud();
Indexed LookMessageSkin();
Indexed LookMenuSkin();
