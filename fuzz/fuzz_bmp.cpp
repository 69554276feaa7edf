// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the picture reader through its real entry point: they are written to
// a file, which CBmpFile::Load opens as a regular file, pre-reads the headers of, filters by the
// catalogue's acceptance rule (every other input) and reads no further than the headers call for
// (a file shorter than they say included). The picture it accepts is read pixel by pixel and
// colour by colour and must be consistent, and Load must agree with the in-memory reader.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "common/BmpFile.h"
#include "catalogue/core/PictureFiles.h"
#include "fuzz/FuzzCheck.h"

using fuzzcheck::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static mosgrid::CBmpFile bmp;  // loading over the previous input's picture must replace it
    const fuzzcheck::ScratchFolder scratch;
    Require(fuzzcheck::WriteFile(scratch.path / "input.bmp", data, size));
    const bool filtered = size > 0 && data[size - 1] % 2 == 1;
    const int result = bmp.Load(scratch.path / "input.bmp", filtered ? mosgrid::IsPuzzleHeader : nullptr);
    if (result != 1) {
        Require(result == 0 && bmp.palette.empty() && bmp.pixels.empty() && bmp.colourCount == 0);
        return 0;
    }
    if (filtered) Require(mosgrid::IsPuzzlePicture(bmp));
    Require(bmp.width >= 1 && bmp.height >= 1);
    Require(bmp.width <= mosgrid::CBmpFile::kMaxDimension && bmp.height <= mosgrid::CBmpFile::kMaxDimension);
    Require(bmp.colourCount >= 1 && bmp.PaletteSize() >= 1 && bmp.PaletteSize() <= 256);
    const auto listed = bmp.colours.begin(), end = listed + bmp.colourCount;
    for (auto c = listed; c != end; ++c) Require(std::find(c + 1, end, *c) == end);  // each colour once
    std::array<bool, 256> seen{};
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            std::uint8_t out[4];
            bmp.GetPixel(out, x, y);  // under ASan: reads only inside the palette
            const std::uint8_t index = bmp.PixelIndex(x, y);
            Require(index < bmp.PaletteSize());
            if (seen[index]) continue;
            seen[index] = true;  // every colour a pixel shows is in the colour list
            Require(std::find(listed, end, bmp.PaletteColour(index)) != end);
        }
    }
    // Reading only what the headers call for gives what reading the whole file gives.
    static mosgrid::CBmpFile whole;
    Require(whole.LoadFromBytes(data, size) == 1);
    Require(whole.width == bmp.width && whole.height == bmp.height && whole.colourCount == bmp.colourCount);
    Require(whole.pixels == bmp.pixels);
    Require(std::equal(whole.colours.begin(), whole.colours.begin() + bmp.colourCount, bmp.colours.begin()));
    return 0;
}
