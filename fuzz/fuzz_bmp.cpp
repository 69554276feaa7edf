// Feeds arbitrary bytes to the picture reader, then reads every pixel and colour of whatever it
// accepted and checks that the picture is consistent.
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
    using mosgrid::CBmpFile;
    using mosgrid::COLORREF;
    static CBmpFile reused;  // loading over an earlier picture must free and replace it
    for (CBmpFile* bmp : {&reused, new CBmpFile}) {
        const int result = bmp->LoadFromBytes(data, size);
        Require(result == 0 || result == 1);
        if (result == 0) {
            Require(!bmp->palette && !bmp->pixels && bmp->colourCount == 0);
        } else {
            Require(bmp->width >= 1 && bmp->height >= 1);
            Require(bmp->width <= CBmpFile::kMaxDimension && bmp->height <= CBmpFile::kMaxDimension);
            Require(bmp->colourCount >= 1 && bmp->colourCount <= 256);
            Require(bmp->PaletteSize() >= 1 && bmp->PaletteSize() <= 256);
            std::array<bool, 256> checked{};
            std::uint32_t sink = 0;
            for (int y = 0; y < bmp->height; ++y) {
                for (int x = 0; x < bmp->width; ++x) {
                    std::uint8_t out[4];
                    bmp->GetPixel(out, x, y);
                    sink += out[0] + out[1] + out[2] + out[3];
                    const std::uint8_t index = bmp->PixelIndex(x, y);
                    Require(index < bmp->PaletteSize());
                    if (checked[index]) continue;
                    checked[index] = true;
                    // Every colour a pixel shows is in the colour list.
                    const COLORREF colour = bmp->PaletteColour(index);
                    bool listed = false;
                    for (int k = 0; k < bmp->colourCount; ++k) listed = listed || bmp->colours[std::size_t(k)] == colour;
                    Require(listed);
                }
            }
            for (int i = 0; i < bmp->colourCount; ++i)
                for (int k = i + 1; k < bmp->colourCount; ++k) Require(bmp->colours[std::size_t(i)] != bmp->colours[std::size_t(k)]);
            Require(sink != 0xFFFFFFFFu || size > 0);  // keeps the reads from being optimised away
        }
        if (bmp != &reused) delete bmp;
    }
    reused.Release();
    return 0;
}
