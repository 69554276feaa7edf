// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

// COLORREF and its helpers, as the picture writer that takes these colours has them.
#include "catalogue/core/BmpWriter.h"
#include "solver/core/Puzzle.h"

namespace mosgrid {

// A puzzle given by its clues, as read from a clue file: the runs of every line and the colour of
// each value. Value 0 is the background, always shown white; value v (1 ..) is colours[v]. The
// reader takes any size and colour count its format allows up to kMaxClueSide and kMaxClueColours;
// whether the game can take the puzzle is decided afterwards (DecideCluePuzzle).
struct CluePuzzle {
    Puzzle puzzle;                 // valueCount = colours.size()
    std::vector<COLORREF> colours; // [0] white
    std::string title;             // from the file, when it has one (UTF-8)
};

// Bounds of what a reader builds at all (a file claiming more is refused as malformed).
constexpr int kMaxClueSide = 1000;
constexpr int kMaxClueColours = 256;

// webpbn's XML layout: <puzzleset><puzzle type="grid"> (or a bare <puzzle>) with a colour table
// (<color name="..." char="...">RGB</color>, three or six hex digits), the puzzle's
// defaultcolor (runs without a colour attribute, "black" when absent) and backgroundcolor
// ("white" when absent), and two <clues type="rows|columns"> of <line><count color="...">N
// </count>...</line>. Without a colour table the colours black and white are implied. The first
// puzzle of a set is read. False with a one-line reason when the text is not such a file.
bool ReadWebpbnXml(std::string_view text, CluePuzzle& out, std::string& error);

// The ".g" layout of Olšák's grid solver: text before the first line starting with '#' or ':'
// is ignored; "#d" or "#D" opens the colour declarations, one a line, "c:o  WORD  comment" with
// c the colour's letter in the clues, o its printing character and WORD "#RRGGBB" or a common
// colour name; "0" declares the background and "1" the colour of runs written without a
// letter (black when not declared and no declarations at all). ": rows" and ": columns" (a colon
// in the first column; anything may follow the word) open the two lists, ": end" or the end of
// the text closes them. A line holds its runs as numbers, each followed by its colour's letter
// when it has one ("3 1m 2"); "0" is a line without runs; blank lines and lines starting with
// '#' are skipped.
bool ReadOlsakG(std::string_view text, CluePuzzle& out, std::string& error);

// A clue file of any of the layouts the importer reads, told apart by its content: XML (starts
// with '<' after blanks), ".g" (has a line starting with ':'), otherwise ".non" (two colours,
// black on white).
bool ReadClueFile(std::string_view text, CluePuzzle& out, std::string& error);

// Whether the bytes look like a clue file at all (text the readers above recognise by name), as
// opposed to a picture: by the file name's extension (".non", ".xml", ".pbn", ".g", any case).
bool IsClueFileName(std::string_view fileName);

}  // namespace mosgrid
