// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <string>

#include "catalogue/core/BmpWriter.h"
#include "import/core/ClueFile.h"

namespace mosgrid {

// What the solver says of a clue puzzle: only one with a single solution becomes a picture.
struct ClueVerdict {
    enum class Kind { Unique, Several, Contradictory, TooHard, TooLarge, TooManyColours };
    Kind kind = Kind::Contradictory;
    long solutions = 0;     // found before the search ended (Several: up to the cap)
    Picture4 picture;       // Unique: white first, then the colours the solution uses
    std::string reason;     // the refusal, one line; empty when Unique
};

struct DecideLimits {
    std::chrono::milliseconds time{10000};
    long cap = 100;  // solutions counted at most
};

// The game's limits for a puzzle: sides and colours besides white.
constexpr int kImportMaxSide = 50;
constexpr int kImportMaxColours = 15;

ClueVerdict DecideCluePuzzle(const CluePuzzle& puzzle, const DecideLimits& limits = DecideLimits{});

// The picture of one solution: white at index 0, then the colours used, in value order.
Picture4 PictureOfSolution(const CluePuzzle& puzzle, const std::vector<ValueMask>& cells);

}  // namespace mosgrid
