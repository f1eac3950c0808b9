// Wiring the rooms together: the game fills in the hooks by which play,
// replay, the screens and the platform call up into it.
#pragma once

void InstallGameHooks();
