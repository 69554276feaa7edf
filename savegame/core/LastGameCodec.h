// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/core/BoardModel.h"

namespace mosgrid {

// The last-game file "lastcrw.sav": the game in play, written field by field, little-endian.
//
//   0    520        puzzle name, 260 UTF-16 units: the name, a zero unit, zeros to the end
//   520  4          tap counter
//   524  200        50 column-solved flags (whatever the picture's width)
//   724  200        50 row-solved flags
//   924  4 + 4 + 4  seconds, minutes, hours
//   936  400 * W    column clues, 50 slots of W entries (slot-major), 8 bytes an entry
//   ...  400 * H    row clues, 50 slots of H entries
//   ...  8 * W * H  cells, row-major
//
// Clue entry: length (u8), colour index (u8), two zero bytes, done flag (i32).
// Cell: state (i32, 1 = blank, 0 = decided), colour (u32, 0x00BBGGRR).
// The picture's size is not stored: it comes from the picture the name refers to.

inline constexpr std::size_t kLastGameNameUnits = 260;
// Longest name the file holds: one unit is left for the terminator.
inline constexpr std::size_t kLastGameMaxNameLength = kLastGameNameUnits - 1;
inline constexpr std::size_t kLastGameFixedBytes = 936;
// Bounds of what a played game can reach; larger values only come from a damaged file and would
// let the clock or the tap counter overflow as the game goes on.
inline constexpr std::int32_t kLastGameMaxHours = 99999;
inline constexpr std::int32_t kLastGameMaxTapCounter = 1'000'000'000;

// Length of the file of a game on a picture of cols x rows cells.
constexpr std::size_t LastGameSize(int cols, int rows) {
    return kLastGameFixedBytes + 400 * (std::size_t(cols) + std::size_t(rows)) +
           8 * std::size_t(cols) * std::size_t(rows);
}
inline constexpr std::size_t kLastGameMaxSize = LastGameSize(kMaxSide, kMaxSide);

// A name that may be stored and later opened as a picture in the program's folder: the
// catalogue's own rule (IsPlainPuzzleName), so every catalogued puzzle can be saved.
bool IsRestorableName(std::u16string_view name);

// The file's bytes for the game in `model`; nothing when the model holds no puzzle or its name
// cannot be stored (see IsRestorableName). The game-over flag is not part of the file.
std::optional<std::vector<std::uint8_t>> EncodeLastGame(const BoardModel& model);

// The puzzle name at the start of the file: the units before the first zero unit (a short file
// reads as zeros beyond its end). Nothing when the name is not restorable, so that a damaged or
// hostile file never makes the board open a path outside the program's folder.
std::optional<std::u16string> LastGameName(std::span<const std::uint8_t> bytes);

// Puts the saved game into a model that has just been set up from the named picture and reset.
// The file must fit that picture exactly: its length, its name, every clue's length and colour
// index, done flags 0 or 1 (0 on empty slots, padding bytes zero), solved flags 0 or 1, cells
// blank and white or decided in white or a colour of the picture, a clock of non-negative
// parts (carried over into minutes and hours, at most kLastGameMaxHours in all). The solved
// flag of each row and column of the picture must be 1 exactly when the stored cells make that line complete (RowComplete, ColumnComplete), so a
// hand-made file can neither claim a solved line nor hide one. Everything is checked before anything is written: on false the
// model is untouched and the caller plays the puzzle afresh.
//
// Solved flags beyond the picture's width or height are taken over as they stand (0 or 1): a
// smaller puzzle set up after a larger one leaves the larger one's flags there, and the game
// saves them, so demanding zeros would refuse honest files.
bool ApplyLastGame(std::span<const std::uint8_t> bytes, BoardModel& model);

}  // namespace mosgrid
