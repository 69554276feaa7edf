// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "common/Colour.h"

namespace mosgrid {

// A picture to be written as a 4-bit BMP: up to 16 palette colours and one palette index per
// pixel, row-major with the top row first.
struct Picture4 {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> palette;        // at most 16 entries; the rest of the file's 16 are black
    std::vector<std::uint8_t> indices;    // width * height entries, each below palette.size()
};

// The bytes of a 4-bit uncompressed BMP (40-byte info header, 16 palette entries, bottom row
// first, rows padded to a multiple of 4 bytes). Throws std::invalid_argument on a bad picture.
std::vector<std::uint8_t> EncodeBmp4(const Picture4& picture);

// Writes EncodeBmp4(picture) to path; false when the file cannot be written.
bool WriteBmp4(const std::filesystem::path& path, const Picture4& picture);

}  // namespace mosgrid
