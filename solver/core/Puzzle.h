// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "solver/core/LineSolver.h"

namespace mosgrid {

// A puzzle as the search sees it: the grid's size and the runs of every line, from the line's
// start (left end of a row, top of a column). Cells take the values 0 (empty) to
// valueCount - 1; a run's value is its colour.
struct Puzzle {
    int width = 0;
    int height = 0;
    int valueCount = 2;
    std::vector<std::vector<LineRun>> rows;     // height lines
    std::vector<std::vector<LineRun>> columns;  // width lines

    int CellCount() const { return width * height; }
    // Sizes within 1 .. kMaxLine, a line list per row and column, run values within range.
    bool Valid() const {
        if (width < 1 || height < 1 || width > kMaxLine || height > kMaxLine) return false;
        if (valueCount < 1 || valueCount > kMaxValues) return false;
        if (int(rows.size()) != height || int(columns.size()) != width) return false;
        for (const auto* lines : {&rows, &columns}) {
            for (const auto& line : *lines) {
                for (const LineRun& run : line) {
                    if (run.length < 1 || run.value < 1 || run.value >= valueCount) return false;
                }
            }
        }
        return true;
    }
    ValueMask AllValues() const {
        return valueCount >= kMaxValues ? ~ValueMask(0) : (ValueMask(1) << valueCount) - 1;
    }
};

}  // namespace mosgrid
