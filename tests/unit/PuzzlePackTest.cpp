// The bundled puzzle pack: every source became a picture the catalogue accepts, the pack has the
// promised spread of sizes and colours, and every puzzle has exactly one solution.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalogue/core/BmpFile.h"
#include "puzzles/LineCheck.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> PuzzleNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSGRID_SOURCE_DIR) / "puzzles" / "src")) {
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    }
    return names;
}

struct Loaded {
    std::string name;
    int width = 0;
    int height = 0;
    int colours = 0;  // distinct colours of the pixels, white included
    pack::IndexPicture picture;
};

// Loads a pack picture as the catalogue does and checks what it demands of it.
Loaded LoadPuzzle(const std::string& name) {
    Loaded out;
    out.name = name;
    CBmpFile bmp;
    const fs::path path = fs::path(MOSGRID_GAME_DIR) / (name + ".bmp");
    EXPECT_EQ(bmp.Load(path), 1) << path;
    EXPECT_EQ(bmp.infoHeader.biBitCount, 4) << name;
    EXPECT_GE(bmp.infoHeader.biWidth, 1) << name;
    EXPECT_LE(bmp.infoHeader.biWidth, 50) << name;
    EXPECT_GE(bmp.infoHeader.biHeight, 1) << name;
    EXPECT_LE(bmp.infoHeader.biHeight, 50) << name;
    out.width = bmp.width;
    out.height = bmp.height;
    out.colours = bmp.colourCount;
    out.picture.width = bmp.width;
    out.picture.height = bmp.height;
    int white = -1;
    int palettes = 0;
    std::map<COLORREF, int> seen;
    for (int i = 0; i < bmp.PaletteSize(); ++i) {
        if (bmp.PaletteColour(i) == kWhite && white < 0) white = i;
    }
    EXPECT_GE(white, 0) << name << ": white is not in the palette";
    int whitePixels = 0;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            std::uint8_t index = bmp.PixelIndex(x, y);
            out.picture.pixels.push_back(index);
            COLORREF colour = bmp.PaletteColour(index);
            if (colour == kWhite) ++whitePixels;
            if (seen.emplace(colour, index).first->second != index) ++palettes;
        }
    }
    EXPECT_EQ(palettes, 0) << name << ": one colour under two palette indices";
    EXPECT_GT(whitePixels, 0) << name << ": no white background";
    out.picture.background = std::uint8_t(white < 0 ? 0 : white);
    return out;
}

TEST(PuzzlePack, EveryPuzzleLoadsAndHasExactlyOneSolution) {
    const std::vector<std::string> names = PuzzleNames();
    ASSERT_GE(names.size(), 60u);
    int twoColour = 0;
    int manyColour = 0;
    std::map<int, int> bands;  // upper bound of the size band -> puzzles in it
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Loaded p = LoadPuzzle(name);
        if (HasFailure()) continue;
        (p.colours == 2 ? twoColour : manyColour) += 1;
        EXPECT_LE(p.colours, 16);
        const int side = std::max(p.width, p.height);
        for (int bound : {10, 15, 20, 25, 40, 50}) {
            if (side <= bound) {
                bands[bound] += 1;
                break;
            }
        }
        EXPECT_TRUE(pack::LinesAloneSolve(p.picture)) << name << " is not determined by its clues";
    }
    EXPECT_GE(twoColour, 40);
    EXPECT_GE(manyColour, 15);
    for (int bound : {10, 15, 20, 25, 40, 50}) EXPECT_GE(bands[bound], 3) << "sizes up to " << bound;
}

// The uniqueness check itself must be able to say no: the two diagonals of a 2 x 2 square have
// the same clues, and a same-colour diagonal pair inside blanks as well.
TEST(PuzzlePack, LineCheckRejectsAmbiguousPictures) {
    pack::IndexPicture diagonal{2, 2, {1, 0, 0, 1}, 0};
    EXPECT_FALSE(pack::LinesAloneSolve(diagonal));

    pack::IndexPicture solid{3, 2, {1, 1, 1, 0, 1, 0}, 0};
    EXPECT_TRUE(pack::LinesAloneSolve(solid));

    // Colours matter: red and blue runs that may touch, fixed by their columns.
    pack::IndexPicture touching{3, 1, {1, 2, 2}, 0};
    EXPECT_TRUE(pack::LinesAloneSolve(touching));

    pack::IndexPicture checker{4, 4, {0, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 0, 0}, 0};
    EXPECT_FALSE(pack::LinesAloneSolve(checker));
}

}  // namespace
}  // namespace mosgrid
