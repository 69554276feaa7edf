// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/core/BmpWriter.h"

namespace mosgrid {

// A picture as decoded from any file: 8-bit red, green, blue and alpha a pixel, row-major, top
// row first, no padding.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes
};

struct ConvertOptions {
    // The box the picture is fitted into, aspect kept; at most 50 x 50.
    int maxWidth = 30;
    int maxHeight = 30;
    // A picture smaller than the box keeps its size unless this is set.
    bool enlarge = false;
    // Colours besides white, 1 to 15.
    int colours = 4;
    // A pixel whose lightest-to-darkest channel, min(red, green, blue), is at least this becomes
    // white background; so does a pixel less than half opaque. 256 keeps every opaque pixel.
    int background = 240;
};

// Scales the picture into the box (each target pixel the alpha-weighted mean of the source
// pixels it covers), turns transparency and light pixels into white, and reduces the rest to at
// most `colours` colours with libimagequant (no dithering: a puzzle wants plain regions).
// The palette is white, then the colours from darkest to lightest. The same input and options
// always give the same picture. False with a reason when the options are out of range or
// nothing but background is left.
bool ConvertPicture(const RgbaImage& image, const ConvertOptions& options, Picture4& out, std::string& error);

// The size a picture of width x height takes in the box (at least 1 x 1).
void FitSize(int width, int height, const ConvertOptions& options, int& outWidth, int& outHeight);

}  // namespace mosgrid
