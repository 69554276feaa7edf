// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace mosgrid {

// Puzzle names are UTF-16 (as the catalogue and last-game files store them); file names on
// Linux are UTF-8. Invalid UTF-8 bytes become U+FFFD; unpaired surrogates likewise on the way back.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// The file name of a puzzle's picture in a folder: folder / (name + ".bmp").
std::filesystem::path PicturePath(const std::filesystem::path& folder, std::u16string_view name);

}  // namespace mosgrid
