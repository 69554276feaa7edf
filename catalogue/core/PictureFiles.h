// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/core/GameFolders.h"

namespace mosgrid {

class CBmpFile;
struct BmpInfoHeader;

// The one rule for puzzle names, shared by the catalogue and the last-game file: 1 to 259 units
// (what both files hold), well-formed UTF-16, and a plain file name of the folder. On Linux only
// '/' and the 0 unit separate or end a path, and "." and ".." are the only names that lead
// elsewhere; everything else ('\\' included) is an ordinary character of a file name.
bool IsPlainPuzzleName(std::u16string_view name);

// The puzzle name of a picture file: its file name (UTF-8 bytes) less the final extension, when
// that extension is ".bmp" in any letter case ("x.bmp.bmp" -> "x.bmp", "Cat.BMP" -> "Cat").
// Nothing for other files, for a name that is not valid UTF-8 (its picture could not be found
// again from the name) and for one that is not a plain name (a bare ".bmp", "..bmp").
std::optional<std::u16string> PuzzleNameOfFile(std::string_view fileName);

// The picture file of a puzzle name in `folder`: "name.bmp" when it exists, otherwise the first
// (by file name bytes) existing file "name" + ".bmp" written in any other letter case, otherwise
// "name.bmp" all the same. A name that is not plain names no file of the folder: empty path.
std::filesystem::path FindPicturePath(const std::filesystem::path& folder, std::u16string_view name);
// The picture of a puzzle name among the game's picture folders: the first folder holding one
// wins, so a player's picture hides a bundled one of the same name. With none, the path the
// first folder would give.
std::filesystem::path FindPicturePath(const GameFolders& folders, std::u16string_view name);

// Whether a loaded picture can be played: 4 bits a pixel, 1 to 50 pixels wide and high. The
// header form lets a reader refuse a picture before reading its pixels.
bool IsPuzzlePicture(const CBmpFile& picture);
bool IsPuzzleHeader(const BmpInfoHeader& info);

// Whether a file name ends in ".bmp" in any letter case.
bool HasBmpExtension(std::string_view fileName);

}  // namespace mosgrid
