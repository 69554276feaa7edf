// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "common/BmpFile.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;
using Bytes = std::vector<std::uint8_t>;

using test::With;

Bytes Indices(const CBmpFile& bmp) {
    Bytes out;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) out.push_back(bmp.PixelIndex(x, y));
    return out;
}

TEST(BmpFile, BottomRowFirstHighNibbleFirstReadBackExactlyWithColoursListedOnce) {
    Picture4 p = test::PictureFromText({"12f", "4a6"}, {});
    for (int i = 0; i < 16; ++i) p.palette.push_back(MakeColour(std::uint8_t(i * 10), std::uint8_t(i), 200));
    const Bytes bytes = EncodeBmp4(p);
    const std::size_t off = bytes[10];
    EXPECT_EQ(Bytes(bytes.begin() + long(off), bytes.end()), (Bytes{0x4A, 0x60, 0, 0, 0x12, 0xF0, 0, 0}));
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(Indices(bmp), p.indices);
    for (int i : {1, 10, 15}) EXPECT_EQ(bmp.PaletteColour(i), p.palette[std::size_t(i)]);

    // The colour list: entries 3, 0, 3, 5 in order of first appearance; entry 6 has the colour of entry 0.
    const Bytes list = EncodeBmp4(test::PictureFromText({"3035", "6000"}, {kWhite, 0, 0, kRed, 0, kGreen, kWhite}));
    ASSERT_EQ(bmp.LoadFromBytes(list.data(), list.size()), 1);
    ASSERT_EQ(bmp.colourCount, 3);
    EXPECT_EQ((std::vector<COLORREF>{bmp.colours[0], bmp.colours[1], bmp.colours[2]}),
              (std::vector<COLORREF>{kRed, kWhite, kGreen}));
}

// Where the headers put the palette and the pixels, whatever else they say.
TEST(BmpFile, PixelsFoundThroughOffBitsEightBitsByteWiseAndALargerInfoHeaderPutsThePaletteAfterIt) {
    Bytes bytes = EncodeBmp4(test::PictureFromText({"12", "21"}, {kWhite, kRed, kBlue}));
    bytes[46] = 2;  // biClrUsed 2: the reader still takes 16 entries from offset 54
    bytes.insert(bytes.begin() + 118, 10, 0xEE);  // junk between palette and pixels
    bytes[10] = 128;
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    EXPECT_TRUE(Indices(bmp) == (Bytes{1, 2, 2, 1}) && bmp.PaletteColour(2) == kBlue);

    Bytes eight = With(With(With(With(Bytes(54 + 1024 + 8), 10, 54 + 1024), 18, 3), 22, 2), 28, 8);  // 3 x 2
    eight[0] = 'B', eight[1] = 'M', eight[14] = 40, eight[26] = 1;
    eight[54 + 200 * 4 + 2] = 0xFF;  // entry 200 red
    eight[54 + 1024 + 4 + 2] = 200;  // top row, x = 2 (rows of 4 bytes)
    ASSERT_EQ(bmp.LoadFromBytes(eight.data(), eight.size()), 1);
    EXPECT_TRUE(Indices(bmp) == (Bytes{0, 0, 200, 0, 0, 0}) && bmp.PaletteColour(200) == kRed && bmp.colourCount == 2);

    // A 124-byte info header (as many programs write): the palette follows it, 84 bytes on.
    Bytes four = EncodeBmp4(test::PictureFromText({"12", "21"}, {kGreen, kRed, kBlue}));
    four.insert(four.begin() + 54, 84, 0x77);
    four = With(With(four, 14, 124), 10, 118 + 84);
    ASSERT_EQ(bmp.LoadFromBytes(four.data(), four.size()), 1);
    EXPECT_EQ(Indices(bmp), (Bytes{1, 2, 2, 1}));
    EXPECT_EQ((std::vector<COLORREF>{bmp.PaletteColour(0), bmp.PaletteColour(1), bmp.PaletteColour(2)}),
              (std::vector<COLORREF>{kGreen, kRed, kBlue}));
}

TEST(BmpFile, KindsItCannotDecodeAreRefusedFromBytesAndFromFiles) {
    test::TempFolder folder;
    CBmpFile bmp;
    for (const auto& [kind, bytes] : test::UndecodablePictures()) {
        EXPECT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 0) << kind;
        EXPECT_TRUE(bmp.pixels.empty()) << kind;
        test::WriteBytes(folder / "p.bmp", bytes);
        EXPECT_EQ(bmp.Load(folder / "p.bmp"), 0) << kind;
    }
}

TEST(BmpFile, BadHeadersFailAndShortFilesReadMissingBytesAsZero) {
    const Bytes good = EncodeBmp4(test::PictureFromText({"1111", "1111"}, {kWhite, kRed}));
    CBmpFile bmp;
    for (const auto& [at, value] : std::vector<std::pair<std::size_t, std::uint32_t>>{
             {28, 24}, {28, 16}, {28, 0}, {18, 0}, {22, 0}, {22, -2u}, {18, -1u}, {18, 0x7FFFFFFF}, {22, 100000}}) {
        const Bytes bad = With(good, at, value);
        EXPECT_EQ(bmp.LoadFromBytes(bad.data(), bad.size()), 0) << at << ": " << value;
        EXPECT_TRUE(bmp.palette.empty() && bmp.colourCount == 0);
    }
    // Cut inside the pixel rows: the top row's bytes are missing and read as index 0.
    ASSERT_EQ(bmp.LoadFromBytes(good.data(), good.size() - 4), 1);
    EXPECT_EQ(Indices(bmp), (Bytes{0, 0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(bmp.LoadFromBytes(nullptr, 0), 0);
    test::TempFolder folder;  // a missing file and a folder: the catalogue's and the board's tests
    // No more is read than the headers call for: a picture at the head of a huge file loads.
    const std::filesystem::path huge = folder / "huge.bmp";
    test::WriteBytes(huge, good);
    std::filesystem::resize_file(huge, std::uintmax_t(1) << 32);
    ASSERT_EQ(bmp.Load(huge), 1);
    EXPECT_EQ(Indices(bmp), (Bytes{1, 1, 1, 1, 1, 1, 1, 1}));
}

}  // namespace
}  // namespace mosgrid
