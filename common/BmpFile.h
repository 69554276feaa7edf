// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "common/Colour.h"

namespace mosgrid {

// The 14-byte file header of a BMP file, as read (little-endian fields).
struct BmpFileHeader {
    std::uint16_t bfType = 0;
    std::uint32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 0;
};

// The 40-byte info header that follows it.
struct BmpInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// Anything that can report the palette entry (blue, green, red, reserved) of a pixel.
class CPixelSource {
public:
    virtual ~CPixelSource() = default;
    virtual std::uint8_t* GetPixel(std::uint8_t* out, int x, int y) const = 0;
};

// A picture as read from an uncompressed BMP file: headers, palette, one palette index per pixel
// (top row first) and the distinct colours of the pixels in order of first appearance. A plain
// value: it copies, compares and moves like any other; only the reader fills it.
class CBmpFile : public CPixelSource {
public:
    // Widest and highest picture the reader accepts at all; the catalogue admits far less.
    static constexpr std::int32_t kMaxDimension = 4096;


    // 1 on success, 0 on failure (see the implementation for what counts as failure). Only a
    // regular file is read, its headers first: `acceptHeader`, when given, refuses a picture
    // before its pixels are read, and no more of the file is read than the picture needs.
    int Load(const std::filesystem::path& path, bool (*acceptHeader)(const BmpInfoHeader&) = nullptr);
    // Same as Load, but from bytes already in memory (used by Load, the fuzzer and tests).
    int LoadFromBytes(const std::uint8_t* data, std::size_t size);
    // Back to no picture.
    void Release() { *this = CBmpFile{}; }
    std::uint8_t* GetPixel(std::uint8_t* out, int x, int y) const override;

    // Colour of palette entry `index` as 0x00BBGGRR; white for an entry outside the palette.
    COLORREF PaletteColour(int index) const;
    // Palette index of pixel (x, y); the caller keeps 0 <= x < width, 0 <= y < height.
    std::uint8_t PixelIndex(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    int PaletteSize() const { return paletteEntries; }

    std::int32_t width = 0;
    std::int32_t height = 0;
    std::array<COLORREF, 256> colours{};
    BmpFileHeader fileHeader;
    BmpInfoHeader infoHeader;
    std::vector<std::uint8_t> palette;  // 4 bytes an entry: blue, green, red, unused
    std::int32_t colourCount = 0;
    std::vector<std::uint8_t> pixels;  // width * height + 1 bytes; empty without a picture

private:
    // Fills the headers from the first bytes of a file of `fileLength` bytes, and the size when
    // the picture is one the reader takes (false, size 0 x 0, otherwise).
    bool ReadHeaders(const std::uint8_t* data, std::size_t size, std::uint64_t fileLength);
    // LoadFromBytes on the first `size` bytes of a file of `fileLength` bytes.
    int Decode(const std::uint8_t* data, std::size_t size, std::uint64_t fileLength);

    int paletteEntries = 0;
};

}  // namespace mosgrid
