// SPDX-License-Identifier: GPL-3.0-or-later
// Files made into puzzles of a folder: the name rule, no overwrite without being told, and a
// written puzzle that the game reads with the colours and cells it was given.
#include <gtest/gtest.h>

#include "common/BmpFile.h"
#include "catalogue/core/PictureFiles.h"
#include "import/core/ImportFile.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

TEST(ImportFile, NamesFollowTheGamesRule) {
    for (const char* good : {"Кот", "a b", "x.bmp", "back\\slash", ".hidden"}) EXPECT_TRUE(IsImportName(good)) << good;
    for (const std::string& bad : std::vector<std::string>{"", ".", "..", "a/b", std::string("a\0b", 3), std::string(260, 'a'), std::string("\xff")})
        EXPECT_FALSE(IsImportName(bad)) << bad;
    ImportRequest request;
    EXPECT_EQ(ChooseName(request, "Title", "/x/file.non"), "Title");
    EXPECT_EQ(ChooseName(request, "a/b", "/x/file.non"), "file");
    request.name = "Given";
    EXPECT_EQ(ChooseName(request, "Title", "/x/file.non"), "Given");
}

TEST(ImportFile, WritesAPuzzleTheGameReadsAndKeepsAnExistingOne) {
    test::TempFolder folder;
    ImportRequest request;
    request.folder = folder.path();
    const std::string xml =
        "<puzzleset><puzzle><title>Уголок</title><color name='white'>fff</color><color name='black'>123</color>"
        "<color name='red'>c00</color><clues type='rows'><line><count color='red'>1</count><count>1</count></line>"
        "<line><count>1</count></line></clues><clues type='columns'><line><count color='red'>1</count></line>"
        "<line><count>2</count></line></clues></puzzle></puzzleset>";
    const ImportOutcome first = ImportClueText(xml, "corner.xml", request);
    ASSERT_TRUE(first.written) << first.reason;
    EXPECT_EQ(first.name, "Уголок");
    EXPECT_EQ(first.colours, 3);
    CBmpFile picture;
    ASSERT_EQ(picture.Load(first.path), 1);
    EXPECT_TRUE(IsPuzzlePicture(picture));
    EXPECT_EQ(picture.colourCount, 3);
    EXPECT_EQ(picture.PaletteColour(picture.PixelIndex(0, 0)), MakeColour(0xCC, 0, 0));
    EXPECT_EQ(picture.PaletteColour(picture.PixelIndex(1, 0)), MakeColour(0x11, 0x22, 0x33));
    EXPECT_EQ(picture.PaletteColour(picture.PixelIndex(0, 1)), kWhite);
    EXPECT_EQ(FindPicturePath(folder.path(), u"Уголок"), first.path);

    // The same name again, even written with another letter case of the extension: kept.
    std::filesystem::rename(first.path, folder.path() / "Уголок.BMP");
    const std::string other = "width 1\nheight 1\nrows\n1\ncolumns\n1\n";
    request.name = "Уголок";
    const ImportOutcome second = ImportClueText(other, "dot.non", request);
    EXPECT_FALSE(second.written);
    EXPECT_EQ(second.reason, "a puzzle named \"Уголок\" exists already (--replace overwrites it)");
    ASSERT_EQ(picture.Load(folder.path() / "Уголок.BMP"), 1);
    EXPECT_EQ(picture.width, 2);
    request.replace = true;
    const ImportOutcome third = ImportClueText(other, "dot.non", request);
    ASSERT_TRUE(third.written) << third.reason;
    EXPECT_EQ(third.path, folder.path() / "Уголок.BMP");
    ASSERT_EQ(picture.Load(third.path), 1);
    EXPECT_EQ(picture.width, 1);
    request.name = "../escape";
    EXPECT_FALSE(ImportClueText(other, "dot.non", request).written);
    EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / "escape.bmp"));
}

TEST(ImportFile, PicturesWithSeveralSolutionsNeedTheRepair) {
    test::TempFolder folder;
    ImportRequest request;
    request.folder = folder.path();
    // Two crossing diagonals: the clues fit both.
    RgbaImage image{4, 4, std::vector<std::uint8_t>(64, 0)};
    for (int i : {0, 3, 5, 6, 9, 10, 12, 15}) image.rgba[std::size_t(i) * 4 + 3] = 255;
    const ImportOutcome refused = ImportImage(image, "x.png", request);
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.reason, "3 solutions (--repair changes cells until one is left)");
    request.repair = true;
    const ImportOutcome repaired = ImportImage(image, "x.png", request);
    ASSERT_TRUE(repaired.written) << repaired.reason;
    EXPECT_GE(repaired.changed, 1);
    EXPECT_EQ(repaired.name, "x");
    EXPECT_EQ(OutcomeLine("x.png", repaired), "x.png: written x, 4 x 4, 2 colours, " + std::to_string(repaired.changed) +
                                                  " cells changed -> " + repaired.path.string());
}

}  // namespace
}  // namespace mosgrid
