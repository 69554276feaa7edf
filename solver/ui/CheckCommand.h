#pragma once
#include <cstdint>
#include <functional>

class QWidget;

namespace mosgrid {

class CGmGride;

// "Проверить кроссворд" on the board's puzzle: pictures of other than two colours are refused;
// otherwise, once the player confirms, CheckPuzzle. Without a puzzle it does nothing. The
// caller brings the menu state up to date afterwards.
void CheckCommand(CGmGride& board, QWidget* parent);

// The check: a new game on the board, its clock stopped and the game over; the search for every
// solution (at most 100 kept) under the progress dialog, painting the board as it goes; the
// check's duration in the board's clock fields; then the result message and, when there are
// solutions, the first of them on the board. clock: the tick count in milliseconds that times
// the check (the monotonic clock unless a test gives its own).
void CheckPuzzle(CGmGride& board, QWidget* parent, std::function<std::uint32_t()> clock = {});

}  // namespace mosgrid
