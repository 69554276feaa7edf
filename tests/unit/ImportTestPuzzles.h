// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puzzles for the importer's tests: pictures from random pixels, searched for one of the kind
// a test needs (the generator's seed is fixed, so the same one is found every run).
#include <chrono>
#include <random>

#include "import/core/TimedSearch.h"

namespace mosgrid::test {

inline Picture4 RandomPicture(std::mt19937& random, int width, int height, int colours, int fillPercent) {
    Picture4 p;
    p.width = width;
    p.height = height;
    p.palette.push_back(kWhite);
    for (int c = 1; c <= colours; ++c) p.palette.push_back(MakeColour(std::uint8_t(40 * c), 0, std::uint8_t(200 - 10 * c)));
    std::uniform_int_distribution<int> percent(0, 99), colour(1, colours);
    for (int i = 0; i < width * height; ++i) p.indices.push_back(std::uint8_t(percent(random) < fillPercent ? colour(random) : 0));
    return p;
}

// A picture whose clues have exactly one solution that line passes alone do not find
// (`unique`), or one with several solutions (`!unique`).
inline Picture4 FindPicture(bool unique, int side, int colours) {
    std::mt19937 random(12345);
    for (int attempt = 0; attempt < 5000; ++attempt) {
        Picture4 p = RandomPicture(random, side, side, colours, 55);
        const TimedCount count = CountWithin(PuzzleFromPicture(p), 2, std::chrono::seconds(20), 0);
        if (unique ? count.solutions == 1 && !count.linesAlone : count.solutions == 2) return p;
    }
    return {};
}

// The unique 10 x 10 picture of two colours that needs more than line passes, found once.
inline const Picture4& HardPicture() {
    static const Picture4 hard = FindPicture(true, 10, 2);
    return hard;
}

}  // namespace mosgrid::test
