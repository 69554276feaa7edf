#include <gtest/gtest.h>

#include <fstream>

#include "catalogue/core/BmpFile.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

TEST(BmpFile, ReadsBackExactlyWhatTheWriterWrote) {
    Picture4 p = test::PictureFromText({"..12f", "3..1.", "ab..9"}, {});
    for (int i = 0; i < 16; ++i) p.palette.push_back(MakeColour(std::uint8_t(i * 10), std::uint8_t(i), 200));
    std::vector<std::uint8_t> bytes = EncodeBmp4(p);
    EXPECT_EQ(bytes.size(), 14u + 40 + 64 + 3 * 4);  // stride of 5 pixels: 3 bytes padded to 4
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    ASSERT_EQ(bmp.width, 5);
    ASSERT_EQ(bmp.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bmp.PixelIndex(x, y), p.indices[std::size_t(y * 5 + x)]);
            EXPECT_EQ(bmp.PaletteColour(bmp.PixelIndex(x, y)), p.palette[p.indices[std::size_t(y * 5 + x)]]);
        }
    std::uint8_t out[4];
    bmp.GetPixel(out, 4, 0);
    EXPECT_EQ(out[0], 200);  // blue
    EXPECT_EQ(out[2], 150);  // red of entry 15
}

TEST(BmpFile, FirstRowOfTheFileIsTheBottomAndHighNibbleComesFirst) {
    Picture4 p = test::PictureFromText({"123", "456"}, {kWhite, 1, 2, 3, 4, 5, 6});
    std::vector<std::uint8_t> bytes = EncodeBmp4(p);
    std::size_t off = bytes[10];
    EXPECT_EQ(bytes[off], 0x45);      // bottom row first: pixels 4 and 5
    EXPECT_EQ(bytes[off + 1], 0x60);
    EXPECT_EQ(bytes[off + 4], 0x12);  // then the top row
    EXPECT_EQ(bytes.size() - off, 8u);
}

TEST(BmpFile, ColourListInOrderOfFirstAppearanceMergingEqualEntries) {
    // Entries 3, 0, 3, 5 in that order; entry 6 has the same colour as entry 0.
    Picture4 p = test::PictureFromText({"3035", "6000"}, {kWhite, 0, 0, kRed, 0, kGreen, kWhite});
    std::vector<std::uint8_t> bytes = EncodeBmp4(p);
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    ASSERT_EQ(bmp.colourCount, 3);
    EXPECT_EQ(bmp.colours[0], kRed);
    EXPECT_EQ(bmp.colours[1], kWhite);
    EXPECT_EQ(bmp.colours[2], kGreen);
}

TEST(BmpFile, PixelsFoundThroughOffBitsWhateverClrUsedSays) {
    Picture4 p = test::PictureFromText({"12", "21"}, {kWhite, kRed, kBlue});
    std::vector<std::uint8_t> bytes = EncodeBmp4(p);
    bytes[46] = 2;  // biClrUsed 2: the reader still takes 16 entries from offset 54
    std::vector<std::uint8_t> moved(bytes.begin(), bytes.begin() + 118);
    moved.insert(moved.end(), 10, 0xEE);  // junk between palette and pixels
    moved.insert(moved.end(), bytes.begin() + 118, bytes.end());
    moved[10] = 128;
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(moved.data(), moved.size()), 1);
    EXPECT_EQ(bmp.PixelIndex(0, 0), 1);
    EXPECT_EQ(bmp.PixelIndex(1, 0), 2);
    EXPECT_EQ(bmp.PaletteColour(2), kBlue);
}

TEST(BmpFile, CompressedAndOddBitCountsLoadAsAllIndexZero) {
    Picture4 p = test::PictureFromText({"12", "21"}, {kGreen, kRed, kBlue});
    std::vector<std::uint8_t> bytes = EncodeBmp4(p);
    bytes[30] = 2;  // RLE4
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(bmp.colourCount, 1);
    EXPECT_EQ(bmp.colours[0], kGreen);
    bytes[30] = 0;
    bytes[28] = 1;  // one bit a pixel: nothing decoded
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(bmp.PixelIndex(1, 1), 0);
}

TEST(BmpFile, EightBitPicturesDecodeOneBytePerPixel) {
    std::vector<std::uint8_t> bytes(54 + 1024 + 8, 0);
    bytes[10] = std::uint8_t((54 + 1024) & 0xFF);
    bytes[11] = std::uint8_t((54 + 1024) >> 8);
    bytes[18] = 3;  // 3 x 2, stride 4
    bytes[22] = 2;
    bytes[28] = 8;
    bytes[54 + 200 * 4 + 2] = 0xFF;  // entry 200 red
    bytes[54 + 1024 + 4 + 2] = 200;  // top row, x = 2
    CBmpFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(bmp.PixelIndex(2, 0), 200);
    EXPECT_EQ(bmp.PaletteColour(200), kRed);
    EXPECT_EQ(bmp.colourCount, 2);
}

TEST(BmpFile, BadHeadersFailAndShortFilesReadMissingBytesAsZero) {
    Picture4 p = test::PictureFromText({"1111", "1111"}, {kWhite, kRed});
    std::vector<std::uint8_t> good = EncodeBmp4(p);
    CBmpFile bmp;
    auto with = [&](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> b = good;
        for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
        return b;
    };
    for (auto bad : {with(28, 24), with(28, 16), with(28, 0), with(18, 0), with(22, 0), with(22, std::uint32_t(-2)),
                     with(18, std::uint32_t(-1)), with(18, 0x7FFFFFFF), with(22, 100000)}) {
        EXPECT_EQ(bmp.LoadFromBytes(bad.data(), bad.size()), 0);
        EXPECT_EQ(bmp.palette, nullptr);
        EXPECT_EQ(bmp.colourCount, 0);
    }
    // Cut inside the pixel rows: the top row's bytes are missing and read as index 0.
    std::vector<std::uint8_t> shortFile(good.begin(), good.end() - 4);
    ASSERT_EQ(bmp.LoadFromBytes(shortFile.data(), shortFile.size()), 1);
    EXPECT_EQ(bmp.PixelIndex(0, 1), 1);
    EXPECT_EQ(bmp.PixelIndex(0, 0), 0);
    // Nothing at all: a zero-sized picture fails.
    EXPECT_EQ(bmp.LoadFromBytes(nullptr, 0), 0);
}

TEST(BmpFile, LoadFromDiskReleaseAndReload) {
    test::TempFolder folder;
    ASSERT_TRUE(WriteBmp4(folder / "a.bmp", test::PictureFromText({"1."}, {kWhite, kRed})));
    ASSERT_TRUE(WriteBmp4(folder / "b.bmp", test::PictureFromText({"1", ".", "1"}, {kWhite, kBlue})));
    CBmpFile bmp;
    EXPECT_EQ(bmp.Load(folder / "missing.bmp"), 0);
    ASSERT_EQ(bmp.Load(folder / "a.bmp"), 1);
    EXPECT_EQ(bmp.colours[0], kRed);
    ASSERT_EQ(bmp.Load(folder / "b.bmp"), 1);
    EXPECT_EQ(bmp.width, 1);
    EXPECT_EQ(bmp.height, 3);
    EXPECT_EQ(bmp.colours[0], kBlue);
    bmp.Release();
    EXPECT_EQ(bmp.pixels, nullptr);
    EXPECT_EQ(bmp.infoHeader.biWidth, 0);
    EXPECT_EQ(bmp.width, 1);  // kept
    EXPECT_EQ(bmp.Load(folder.path()), 0);  // a folder is not a picture
}

}  // namespace
}  // namespace mosgrid
