#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mosgrid {

class CBmpFile;

// The puzzle name of a picture file: its file name (UTF-8 bytes) less the final extension, when
// that extension is ".bmp" in any letter case ("x.bmp.bmp" -> "x.bmp", "Cat.BMP" -> "Cat").
// Nothing for other files, for a bare ".bmp" and for a name that is not valid UTF-8 (its picture
// could not be found again from the name).
std::optional<std::u16string> PuzzleNameOfFile(std::string_view fileName);

// The picture file of a puzzle name in `folder`: "name.bmp" when it exists, otherwise the first
// (by file name bytes) existing file "name" + ".bmp" written in any other letter case, otherwise
// "name.bmp" all the same. A name holding '/' or a 0 unit names no file of the folder: empty path.
std::filesystem::path FindPicturePath(const std::filesystem::path& folder, std::u16string_view name);

// Whether a loaded picture can be played: 4 bits a pixel, 1 to 50 pixels wide and high.
bool IsPuzzlePicture(const CBmpFile& picture);

// Whether a file name ends in ".bmp" in any letter case.
bool HasBmpExtension(std::string_view fileName);

}  // namespace mosgrid
