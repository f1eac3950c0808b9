// The session ending under the game: quit signals and the display going away.
#pragma once

// Interrupt, terminate, hang-up (the terminal closed) and quit ask the main
// loop to stop; it then shuts down and saves as at any exit. A broken pipe
// is ignored, so that a write to a reader that is gone only fails.
void InstallQuitSignals();
bool QuitSignalled();
// When the X server goes away Xlib ends the process from inside its error
// handler, so the handler installed here saves the data files first. Call
// after every window opens: the video driver may install its own handler.
void WatchDisplayConnection();
