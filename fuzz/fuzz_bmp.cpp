// Feeds arbitrary bytes to the picture reader, then reads every pixel and colour of whatever it
// accepted and checks that the picture is consistent.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "catalogue/core/BmpFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static mosgrid::CBmpFile bmp;  // loading over the previous input's picture must replace it
    const int result = bmp.LoadFromBytes(data, size);
    if (result != 1) {
        Require(result == 0 && bmp.palette.empty() && bmp.pixels.empty() && bmp.colourCount == 0);
        return 0;
    }
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
    return 0;
}
