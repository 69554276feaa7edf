// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>


namespace mosgrid {

// A cell's possible values as a bit set: bit 0 = empty (white), bit v = the solver's colour v.
using ValueMask = std::uint32_t;
constexpr int kMaxValues = 32;
constexpr ValueMask kEmptyBit = 1;
// Longest line the solver takes: puzzles up to 100 x 100.
constexpr int kMaxLine = 100;

// The mask allows exactly one value (std::has_single_bit compiles to a library call on the
// baseline instruction set).
constexpr bool OneValue(ValueMask values) { return values != 0 && (values & (values - 1)) == 0; }

// Bit i stands for cell i of a line (up to kMaxLine cells).
using LineBits = unsigned __int128;

// One run of a line's clue list, in order from the start of the line.
struct LineRun {
    int length = 0;       // at least 1
    int value = 1;        // bit of the run's colour in a ValueMask (1 .. kMaxValues - 1)
    int colourIndex = 0;  // palette index: two neighbouring runs of one index need a gap
};

// Exact solver for one line: finds, for every cell, which values some valid placement of the
// runs gives it. A placement is valid when every run lies on cells that allow its colour, runs
// keep their order, neighbouring runs of the same palette index have at least one empty cell
// between them (others may touch), and every cell outside the runs allows empty.
//
// The line's positions are the bits of one word (two for lines of 64 cells or more), and the
// placements are followed a run at a time over the sets of positions each run can reach, from
// the start and back from the end: time proportional to runs x log(length), no allocation.
class LineSolver {
public:
    // cells[0 .. length-1]: the values each cell still allows. On success fills
    // possible[0 .. length-1] with the values some valid placement gives each cell (a subset of
    // cells[i]) and returns true; returns false when no placement is valid.
    bool Solve(const ValueMask* cells, int length, const LineRun* runs, int runCount, ValueMask* possible);
    // The same with the cells given as bit sets: values[0] the cells that allow empty,
    // values[v] those that allow value v, for every value v of a run (other entries are
    // neither read nor written). On success they are narrowed to what some valid placement gives.
    static bool SolveColours(LineBits* values, int length, const LineRun* runs, int runCount);
    // The same for a line whose runs all have one colour: the cells that allow empty and those
    // that allow the runs' colour.
    static bool SolveOneColour(LineBits& empty, LineBits& filled, int length, const LineRun* runs, int runCount);
};

}  // namespace mosgrid
