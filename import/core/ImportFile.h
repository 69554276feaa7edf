// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "import/core/ClueDecision.h"
#include "import/core/PictureConvert.h"
#include "import/core/UniqueRepair.h"

namespace mosgrid {

// How files become puzzles of a folder.
struct ImportRequest {
    std::filesystem::path folder;  // where the puzzle picture is written
    std::string name;              // UTF-8; empty: the file's title, else its name less extension
    bool replace = false;          // overwrite a puzzle of the same name
    bool repair = false;           // make a picture with several solutions unique
    bool sizeGiven = false;        // the box of `convert` was asked for (else DefaultBox)
    ConvertOptions convert;
    DecideLimits decide;
    RepairLimits repairLimits;
};

// What became of one file.
struct ImportOutcome {
    bool written = false;
    std::string name;              // UTF-8
    std::filesystem::path path;    // of the picture written
    int width = 0;
    int height = 0;
    int colours = 0;               // white counted
    int changed = 0;               // cells the repair changed
    std::string reason;            // why it was refused, one line
};

// The box a picture is fitted into when no size is asked for: a picture that fits the game
// (at most 50 x 50, pixel art) keeps its size; a larger one is fitted into 30 x 30.
void DefaultBox(int width, int height, ConvertOptions& options);

// Whether a name can name a puzzle: the game's rule (no '/', no NUL, not "." or "..", at most
// 259 UTF-16 units, well-formed), and its picture file "NAME.bmp" gives the name back.
bool IsImportName(const std::string& name);

// The name of a puzzle from a file: the request's name, else the title when it is a usable
// name, else the file's name less its extension.
std::string ChooseName(const ImportRequest& request, const std::string& title, const std::filesystem::path& file);

// A clue file: read, decided by the solver, written when it has one solution.
ImportOutcome ImportClueText(std::string_view text, const std::filesystem::path& file, const ImportRequest& request);

// A decoded picture: converted, checked for one solution (repaired when asked), written.
ImportOutcome ImportImage(const RgbaImage& image, const std::filesystem::path& file, const ImportRequest& request);

// Writes the picture under the name into the request's folder, unless the name breaks the rule
// or a puzzle of that name exists and `replace` is not set. Fills name, path, size and colours,
// or the reason.
void WritePuzzle(const Picture4& picture, const std::string& name, const ImportRequest& request, ImportOutcome& out);

// One line for the file: "FILE: written NAME, W x H, C colours, N cells changed -> PATH" or
// "FILE: refused: REASON".
std::string OutcomeLine(const std::string& file, const ImportOutcome& outcome);

}  // namespace mosgrid
