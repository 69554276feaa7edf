// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the picture reader through its real entry point: they are written to
// a file, which CBmpFile::Load opens as a regular file, pre-reads the headers of, filters by the
// catalogue's acceptance rule (every other input) and reads no further than the headers call for
// (a file shorter than they say included). The picture it accepts is read pixel by pixel and
// colour by colour and must be consistent, and Load must agree with the in-memory reader.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/BmpFile.h"
#include "catalogue/core/PictureFiles.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// One file name for the whole run; the file is written for every input and removed after it.
const std::filesystem::path& InputFile() {
    static const std::filesystem::path path = [] {
        std::string name = (std::filesystem::temp_directory_path() / "fuzz_bmp.XXXXXX").string();
        const int fd = ::mkstemp(name.data());
        Require(fd >= 0);
        ::close(fd);
        return std::filesystem::path(name);
    }();
    return path;
}

struct RemovedAfterUse {
    ~RemovedAfterUse() { ::unlink(InputFile().c_str()); }
};

void WriteInput(const std::uint8_t* data, std::size_t size) {
    FILE* out = std::fopen(InputFile().c_str(), "wb");
    Require(out != nullptr);
    Require(std::fwrite(data, 1, size, out) == size);
    Require(std::fclose(out) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static mosgrid::CBmpFile bmp;  // loading over the previous input's picture must replace it
    WriteInput(data, size);
    const RemovedAfterUse removed;
    const bool filtered = size > 0 && data[size - 1] % 2 == 1;
    const int result = bmp.Load(InputFile(), filtered ? mosgrid::IsPuzzleHeader : nullptr);
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
