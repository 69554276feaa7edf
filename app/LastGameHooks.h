#pragma once

namespace mosgrid {

class CGmGride;

// The game in progress carried from one run to the next (the last-game file in the program
// folder). The main window calls RestoreLastGame once its board exists and SaveLastGame when it
// closes, whichever way it closes.
void RestoreLastGame(CGmGride& board);
void SaveLastGame(CGmGride& board);

}  // namespace mosgrid
