// Watching the recordings of the high-score table from its screen: a chosen
// row's game plays in the window with the viewer's controls, and the menu,
// the table and everything else of the player's are back as they were after.
#pragma once

// Plays the recording of table row `rank` (1..10), or says in the notice why
// it cannot: none was kept, or the file cannot be played.
void WatchTableRecording(int rank);
// The idle menu's demo: plays the table's best recording, when one was kept
// and can be played, until any key or click or a few seconds after its end;
// false when there is none.
bool WatchBestRecordingAsDemo();
