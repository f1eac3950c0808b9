// The cards of a bonus stage over the field (what to do, then what it paid)
// and the time it has left, shown in the HUD where the energy bar stands.
#pragma once

// Draws the stage's card for the state it is in; false when no stage is on.
bool DrawBonusCard();
// Draws the seconds left in the HUD; false when no stage is on.
bool DrawBonusTime();
