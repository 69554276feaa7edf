// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "solver/core/GridSearch.h"
#include "solver/core/Puzzle.h"
#include "solver/core/SolutionSearch.h"

namespace mosgrid {

// A puzzle read from a file for the command-line solver.
struct PuzzleFile {
    Puzzle puzzle;
    int colours = 2;  // of the picture (white counted when it has white); 2 for a clue file
};

// Reads the bytes of a picture (BMP, 4-bit or 8-bit, clues derived as the game derives them)
// or of a ".non" clue file. False with a one-line reason when it is neither.
bool ReadPuzzleFile(const std::string& bytes, PuzzleFile& out, std::string& error);

// What the search found, up to `max` solutions, in lexicographic order.
struct CountResult {
    long solutions = 0;
    bool capped = false;         // the search stopped at `max`
    bool lineSolvable = false;   // line passes alone decide every cell
    long guesses = 0;
    double ms = 0;               // processor time of the search
    std::vector<std::vector<ValueMask>> grids;  // kept only when asked for
};
// Without keepGrids only the count is sought (in whatever order the search finds solutions).
CountResult CountSolutions(const Puzzle& puzzle, long max, bool keepGrids,
                           SolutionSearchOptions options = SolutionSearchOptions{});

// One JSON object on one line (no line end) with the keys file, width, height, colours,
// solutions, capped, line_solvable and ms. The line is valid JSON whatever bytes the file name
// holds: a byte that is not part of well-formed UTF-8 is written as \ufffd.
std::string JsonLine(const std::string& file, const PuzzleFile& puzzle, const CountResult& result);
// A solution as rows of '.' (empty) and '#' (the first colour; further colours 'b', 'c', ...),
// each row ended by a line end.
std::string GridText(const Puzzle& puzzle, const std::vector<ValueMask>& cells);

}  // namespace mosgrid
