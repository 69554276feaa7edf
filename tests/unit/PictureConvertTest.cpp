// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures turned into puzzle pictures: fitted into the box, background from transparency and
// light pixels, colours reduced, and the same result every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "import/core/PictureConvert.h"

namespace mosgrid {
namespace {

RgbaImage Blank(int width, int height) {
    RgbaImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 4, 0)};
    return image;
}

void Set(RgbaImage& image, int x, int y, COLORREF c, std::uint8_t alpha = 255) {
    std::uint8_t* p = &image.rgba[(std::size_t(y) * std::size_t(image.width) + std::size_t(x)) * 4];
    p[0] = RedOf(c);
    p[1] = GreenOf(c);
    p[2] = BlueOf(c);
    p[3] = alpha;
}

// Smooth colours over the whole picture, a hard case for the quantiser.
RgbaImage Gradient(int width, int height) {
    RgbaImage image = Blank(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Set(image, x, y, MakeColour(std::uint8_t(255 * x / width), std::uint8_t(255 * y / height), std::uint8_t((x * y) % 200)));
        }
    }
    return image;
}

TEST(PictureConvert, FitsTheBoxAndKeepsColoursItCan) {
    // Three flat colours on a transparent ground, the ground and off-white as background.
    RgbaImage image = Blank(8, 4);
    const COLORREF red = MakeColour(200, 10, 10), navy = MakeColour(0, 0, 90), green = MakeColour(20, 160, 20);
    for (int x = 0; x < 8; ++x) {
        Set(image, x, 0, red);
        Set(image, x, 1, x < 4 ? navy : MakeColour(0xFC, 0xFB, 0xFA));
        Set(image, x, 2, green, x < 2 ? 100 : 255);  // less than half opaque: background
    }
    Picture4 p;
    std::string error;
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{30, 30, false, 3, 240}, p, error)) << error;
    EXPECT_EQ(p.width, 8);
    EXPECT_EQ(p.height, 4);
    // White first, then the colours darkest first, exactly as drawn.
    EXPECT_EQ(p.palette, (std::vector<COLORREF>{kWhite, navy, red, green}));
    const std::vector<std::uint8_t> expected{
        2, 2, 2, 2, 2, 2, 2, 2,  //
        1, 1, 1, 1, 0, 0, 0, 0,  //
        0, 0, 3, 3, 3, 3, 3, 3,  //
        0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(p.indices, expected);
    // With the lightness threshold off, off-white is a colour of its own; with one colour all
    // that is not background is one colour.
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{30, 30, false, 4, 256}, p, error)) << error;
    EXPECT_EQ(p.palette.size(), 5u);
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{30, 30, false, 1, 240}, p, error)) << error;
    EXPECT_EQ(p.palette.size(), 2u);
    EXPECT_EQ(std::count(p.indices.begin(), p.indices.end(), 1), 8 + 4 + 6);
    // Enlarged into a box: the aspect stays.
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{20, 20, true, 3, 240}, p, error)) << error;
    EXPECT_EQ(p.width, 20);
    EXPECT_EQ(p.height, 10);
}

TEST(PictureConvert, ReducesColoursTheSameWayEveryTime) {
    const RgbaImage image = Gradient(300, 200);
    for (int colours : {2, 6, 15}) {
        Picture4 first, second;
        std::string error;
        const ConvertOptions options{40, 40, false, colours, 240};
        ASSERT_TRUE(ConvertPicture(image, options, first, error)) << error;
        ASSERT_TRUE(ConvertPicture(RgbaImage(image), options, second, error)) << error;
        EXPECT_EQ(EncodeBmp4(first), EncodeBmp4(second)) << colours;
        EXPECT_EQ(first.width, 40);
        EXPECT_EQ(first.height, 27);
        EXPECT_LE(int(first.palette.size()), colours + 1);
        EXPECT_EQ(std::set<COLORREF>(first.palette.begin(), first.palette.end()).size(), first.palette.size());
        EXPECT_EQ(std::count(first.palette.begin(), first.palette.end(), kWhite), 1);
        EXPECT_EQ(first.palette[0], kWhite);
    }
}

TEST(PictureConvert, RefusesWhatCannotBeAPuzzle) {
    Picture4 p;
    std::string error;
    RgbaImage light = Blank(4, 4);
    for (int i = 0; i < 16; ++i) Set(light, i % 4, i / 4, MakeColour(250, 250, 250));
    EXPECT_FALSE(ConvertPicture(light, ConvertOptions{}, p, error));
    EXPECT_EQ(error, "nothing but background is left at this size and lightness");
    const RgbaImage image = Gradient(10, 10);
    EXPECT_FALSE(ConvertPicture(image, ConvertOptions{51, 10, false, 2, 240}, p, error));
    EXPECT_FALSE(ConvertPicture(image, ConvertOptions{10, 10, false, 16, 240}, p, error));
    EXPECT_FALSE(ConvertPicture(image, ConvertOptions{10, 10, false, 0, 240}, p, error));
    EXPECT_FALSE(ConvertPicture(RgbaImage{3, 3, {}}, ConvertOptions{}, p, error));
}

}  // namespace
}  // namespace mosgrid
