// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "solver/core/Puzzle.h"

namespace mosgrid {

// Reads a two-colour clue file in the common ".non" text layout:
//
//     width 5
//     height 3
//     rows
//     1,1
//     5
//     0
//     columns
//     ...
//
// One line of numbers (commas or spaces between them; 0 or nothing for a line without runs) per
// row and per column. The sections may come in either order; comments (#), a title and any
// other keyword lines are ignored; CRLF line ends and blank lines between sections are
// accepted. Sizes from 1 to 100; a section of more than 100 clue lines is refused as soon as the
// 101st comes. One pass over the text, whatever its blank lines, with memory bounded by the
// puzzle's lines. Clues that cannot fit their line still give a puzzle (one
// without solutions). On failure returns false with a one-line reason in `error`.
bool ReadNonText(std::string_view text, Puzzle& out, std::string& error);

}  // namespace mosgrid
