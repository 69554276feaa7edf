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
// Dynamic programming from both ends over (cells consumed, runs placed): time proportional to
// length x runs, no allocation. A line whose runs all have one colour (every line of a two-colour
// puzzle) takes the same steps with the line's positions as the bits of one 128-bit word, a run
// at a time: time proportional to runs x log(length).
class LineSolver {
public:
    // cells[0 .. length-1]: the values each cell still allows. On success fills
    // possible[0 .. length-1] with the values some valid placement gives each cell (a subset of
    // cells[i]) and returns true; returns false when no placement is valid.
    bool Solve(const ValueMask* cells, int length, const LineRun* runs, int runCount, ValueMask* possible);
    // The same for a line whose runs all have one colour, its cells given as bit sets: the cells
    // that allow empty and those that allow the runs' colour. On success `empty` and `filled`
    // are narrowed to what some valid placement gives.
    static bool SolveOneColour(LineBits& empty, LineBits& filled, int length, const LineRun* runs, int runCount);

private:
    static constexpr int kCells = kMaxLine;
    // Runs of different colours may touch, so a line can hold as many runs as cells.
    static constexpr int kRuns = kMaxLine;
    // fromStart[j][i]: runs 0..j-1 explain cells 0..i-1 and run j may start at cell i.
    std::array<std::array<bool, kCells + 1>, kRuns + 1> fromStart_{};
    // toEnd[j][i]: runs j.. explain cells i..end, starting in that state.
    std::array<std::array<bool, kCells + 1>, kRuns + 1> toEnd_{};
    // fits[j][i]: run j can lie on cells i .. i+len-1 (with its separating empty cell, if any).
    std::array<std::array<bool, kCells + 1>, kRuns> fits_{};
    std::array<int, kRuns> next_{};  // cells a placement of run j consumes (length + separator)
    std::array<int, kRuns + 1> first_{};  // the first cell at which state (., j) can occur
    // blocked[v][i]: how many of cells 0..i-1 do not allow value v (only for run values).
    std::array<std::array<std::uint8_t, kCells + 1>, kMaxValues> blocked_{};
    // cover[v][i]: difference array of the placements of value v that were found valid.
    std::array<std::array<std::int16_t, kCells + 1>, kMaxValues> cover_{};
};

}  // namespace mosgrid
