// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "savegame/core/LastGameStore.h"

namespace mosgrid {

class CGmGride;

// The game in progress carried from one run to the next on the board window: the file is the
// last-game file of the board's program folder.

// The last step of creating the board: sets the saved puzzle up again, makes its first
// non-white colour the current colour and puts the saved marks, crossed-out clues, solved lines
// and clock back when the file fits the picture (otherwise the puzzle starts afresh). The clock
// label shows the restored time and the clock runs on from it. No file, a name that is not a
// plain name of the program folder, or no picture of that name: the board stays empty.
RestoreOutcome RestoreLastGame(CGmGride& board);

// Saves the game in play when the program ends (nothing, and no old file, for no puzzle or a
// finished game). A file that cannot be written is reported to the player with its path.
LastGameSaveResult SaveLastGame(CGmGride& board);

}  // namespace mosgrid
