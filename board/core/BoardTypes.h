// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <type_traits>

#include "common/Colour.h"

namespace mosgrid {

// Clue slots of one line: a line of 50 cells has at most 50 runs.
constexpr int kMaxSlots = 50;
// Largest picture side that the board plays.
constexpr int kMaxSide = 50;
// Solution variants the solver keeps.
constexpr int kMaxVariants = 100;

// The player's mark on one cell. Stored byte for byte in the last-game file:
// state in bytes 0-3, colour in bytes 4-7, both little-endian.
struct CellRecord {
    std::int32_t state = 1;          // 1 = blank (nothing decided), 0 = decided
    COLORREF colour = kWhite;        // decided white = marked empty; blank is always white
};

// One clue slot. Stored byte for byte: length, colour index, two zero bytes, done flag.
struct ClueEntry {
    std::uint8_t length = 0;        // 0 = the slot holds no clue
    std::uint8_t colourIndex = 0;   // palette index of the run's pixels
    std::uint8_t unused[2] = {0, 0};
    std::int32_t done = 0;          // 1 = crossed out by the player
};

static_assert(sizeof(CellRecord) == 8 && std::is_trivially_copyable_v<CellRecord>);
static_assert(sizeof(ClueEntry) == 8 && std::is_trivially_copyable_v<ClueEntry>);

}  // namespace mosgrid
