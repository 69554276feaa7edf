#include "solver/core/BoardCopy.h"

namespace mosgrid {

bool CopyPuzzle(const BoardModel& from, BoardModel& to) {
    to.Clear();
    if (!from.HasPuzzle()) return false;
    to.picture.CopyFrom(from.picture);
    if (!to.SetupFromLoadedPicture(from.name)) {
        to.Clear();
        return false;
    }
    // The clues as the source holds them, which is what the solver reads.
    to.K = from.K;
    to.R = from.R;
    to.columnClues = from.columnClues;
    to.rowClues = from.rowClues;
    return true;
}

void CopyGame(const BoardModel& from, BoardModel& to) {
    to.cells = from.cells;
    to.columnClues = from.columnClues;
    to.rowClues = from.rowClues;
    to.columnSolved = from.columnSolved;
    to.rowSolved = from.rowSolved;
    to.variants = from.variants;
    to.currentVariant = from.currentVariant;
    to.gameOver = from.gameOver;
    to.hints = from.hints;
    to.tapCounter = from.tapCounter;
    to.seconds = from.seconds;
    to.minutes = from.minutes;
    to.hours = from.hours;
    to.currentColour = from.currentColour;
}

}  // namespace mosgrid
