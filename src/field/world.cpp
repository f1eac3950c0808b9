// UpdateWorld advances every play-field object by one logic tick; DrawWorld
// draws them back to front. Lists whose update may remove an object are
// walked last to first.
#include "field/world.h"

#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/bonusstage.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "media/catalogue.h"

void ResetPowers() {
  SetBallType(btNormal);
  SetBallSpeed(Game.baseBallSpeed);
  Game.paddle->ClearPowers();
}

void UpdateWorld() {
  // A bonus stage has rules of its own: no powers, no level to clear.
  if (Game.bonusStage) {
    Game.bonusStage->Tick();
    return;
  }
  if (Game.energy <= 0) ResetPowers();

  Game.levelComplete = true;
  Game.bricks.WalkBackward([](CBrick* brick) {
    if (brick->special != bsSolid) Game.levelComplete = false;
    brick->Update();
  });
  Game.balls.WalkBackward([](CBall* ball) { ball->Update(); });
  Game.bonuses.WalkBackward([](CBonus* bonus) { bonus->Update(); });
  Game.floaters.WalkForward([](CFloater* floater) { floater->Update(); });
  SpawnFloaters();
}

namespace {
int ballPlayTicks = 0;  // paces the sound bursts of long rallies
}  // namespace

void TickWorld() {
  if (Game.gameState != gsBallInGame) return;
  Game.energy -= 25;
  if (Game.energy <= 0) Game.energy = 0;
  Game.floaterTimer++;
  UpdateWorld();
  PlaySoundBurstIfDue(++ballPlayTicks);
}

void TickPaddleAndEffects() {
  Game.paddle->Update();
  if (Game.optExplosions.value) UpdateEffects();
  if (Game.optStars.value) Game.stars->Update();
}

void DrawWorld(float share) {
  Game.bricks.WalkForward([](CBrick* brick) { brick->Draw(); });
  // Floaters come in through the gate in the top wall, but are seen only
  // inside the frame: never over its walls or the gate's beam.
  SDL_Rect field;
  SDL_GetClipRect(Game.screen, &field);
  SDL_Rect inside = {static_cast<Sint16>(field.x + 16), static_cast<Sint16>(field.y + 16),
                     static_cast<Uint16>(field.w - 32), static_cast<Uint16>(field.h - 16)};
  SDL_SetClipRect(Game.screen, &inside);
  Game.floaters.WalkForward([share](CFloater* floater) { floater->Draw(share); });
  if (Game.bonusStage) Game.bonusStage->Draw(share);
  SDL_SetClipRect(Game.screen, &field);
  Game.paddle->Draw(share);
  if (Game.optExplosions.value)
    Game.effects.WalkForward([share](CParticleSystem* effect) { effect->Draw(share); });
  Game.balls.WalkForward([share](CBall* ball) { ball->Draw(share); });
  Game.bonuses.WalkForward([share](CBonus* bonus) { bonus->Draw(share); });
}
