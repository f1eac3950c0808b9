// The level editor screen: the grid drawn as in play, palettes of bricks and
// power-ups in the side strips, painting by mouse and keys, the level's name,
// saving into a level set, a play-test and the autopilot's measure.
#pragma once
#include <SDL/SDL.h>

#include <string>

// Opens the editor on a source file ("" for a new level); a file that does
// not exist yet becomes a new level saved there. Throws TLevelError for a
// file that is not a level source.
void OpenEditor(const std::string& path);
// Every event while the editor is on screen.
void EditorEvent(const SDL_Event& event);
void DrawEditor();
// A play-test started from the editor is on screen; it ends by Escape, or by
// fire once the level is cleared or lost, back in the editor where it was.
bool PlayTesting();
// The window was closed while the editor is open: with a level not saved the
// first close only warns, on the editor's own screen. True when it held.
bool EditorHoldsQuit();
void EndPlayTest();
// The program is ending with the editor open: the game it put aside when it
// opened comes back, so that a paused one is kept for the next start.
void PutBackEditorsGame();
