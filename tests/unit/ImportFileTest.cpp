// SPDX-License-Identifier: GPL-3.0-or-later
// A clue file or a picture made into a puzzle of a folder: the solver's verdict on clues (one
// solution becomes the picture, anything else is refused with its reason), the repair of pictures
// with several solutions, the name rule, no overwrite without being told, and a written puzzle
// that the game reads with the colours and cells it was given.
#include <gtest/gtest.h>

#include <random>

#include "common/BmpFile.h"
#include "catalogue/core/PictureFiles.h"
#include "import/core/ClueDecision.h"
#include "import/core/ImportFile.h"
#include "import/core/UniqueRepair.h"
#include "tests/unit/ImportTestPuzzles.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

CluePuzzle Read(const std::string& text) {
    CluePuzzle p;
    std::string error;
    EXPECT_TRUE(ReadClueFile(text, p, error)) << error;
    return p;
}

CluePuzzle FromPicture(const Picture4& picture) {
    CluePuzzle p;
    p.puzzle = PuzzleFromPicture(picture);
    p.colours = picture.palette;
    return p;
}

TEST(ClueDecision, OneSolutionBecomesThePicture) {
    const ClueVerdict v = DecideCluePuzzle(Read("#d\n r:r #CC0000\n b:b #000000\n g:g #00AA00\n"
                                                ": rows\n2r 1b\n0\n3b\n: columns\n1r 1b\n1r 1b\n1b 1b\n"));
    ASSERT_EQ(v.kind, ClueVerdict::Kind::Unique) << v.reason;
    // Green is declared but unused: the palette holds only what the picture shows.
    EXPECT_EQ(v.picture.palette, (std::vector<COLORREF>{kWhite, MakeColour(0xCC, 0, 0), kBlack}));
    EXPECT_EQ(v.picture.indices, (std::vector<std::uint8_t>{1, 1, 2, 0, 0, 0, 2, 2, 2}));
    EXPECT_TRUE(v.reason.empty());
    // A unique puzzle that needs more than line passes, as a picture round trip.
    const ClueVerdict h = DecideCluePuzzle(FromPicture(test::HardPicture()));
    ASSERT_EQ(h.kind, ClueVerdict::Kind::Unique);
    EXPECT_EQ(CellsOfPicture(h.picture), CellsOfPicture(test::HardPicture()));
}

TEST(ClueDecision, RefusesWithTheReason) {
    auto times = [](const std::string& text, int n) {
        std::string out;
        while (n-- > 0) out += text;
        return out;
    };
    std::string manyColours = "#d\n", row;
    for (char c = 'a'; c < 'a' + 16; ++c) {
        manyColours += std::string(" ") + c + ":x #" + std::to_string(100000 + c) + "\n";
        row += std::string("1") + c + " ";
    }
    manyColours += ": rows\n" + row + "\n: columns\n";
    for (char c = 'a'; c < 'a' + 16; ++c) manyColours += std::string("1") + c + "\n";
    using Kind = ClueVerdict::Kind;
    const std::vector<std::tuple<std::string, Kind, std::string>> cases{
        {"width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n", Kind::Several, "2 solutions; the game needs exactly one"},
        {"width 2\nheight 2\nrows\n2\n0\ncolumns\n2\n0\n", Kind::Contradictory, "contradictory clues: no solution"},
        {"width 2\nheight 1\nrows\n1 1\ncolumns\n1\n1\n", Kind::Contradictory, "contradictory clues: no solution"},
        {"width 51\nheight 1\nrows\n1\ncolumns\n1\n" + times("0\n", 50), Kind::TooLarge, "51 x 1 is larger than 50 x 50"},
        {manyColours, Kind::TooManyColours, "16 colours besides white, more than 15"},
        // Permutations of 8: every line one run of 1; the count stops at the cap.
        {"width 8\nheight 8\nrows\n" + times("1\n", 8) + "columns\n" + times("1\n", 8), Kind::Several,
         "at least 100 solutions; the game needs exactly one"},
    };
    for (const auto& [text, kind, reason] : cases) {
        const ClueVerdict v = DecideCluePuzzle(Read(text));
        EXPECT_EQ(v.kind, kind) << text;
        EXPECT_EQ(v.reason, reason) << text;
        EXPECT_TRUE(v.picture.indices.empty());
    }
    // With no time at all, the search stops at its first probe.
    const ClueVerdict late = DecideCluePuzzle(FromPicture(test::HardPicture()), DecideLimits{std::chrono::milliseconds(0), 100});
    EXPECT_EQ(late.kind, Kind::TooHard);
    EXPECT_EQ(late.reason, "too hard to check: no verdict after 0 s");
}

int Differing(const Picture4& a, const Picture4& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.indices.size(); ++i) n += a.indices[i] != b.indices[i];
    return n;
}

long Solutions(const Picture4& p) {
    const TimedCount count = CountWithin(PuzzleFromPicture(p), 2, std::chrono::seconds(60), 0);
    EXPECT_FALSE(count.timedOut);
    return count.solutions;
}

TEST(UniqueRepair, EndsUniqueOrSaysWhy) {
    std::mt19937 random(777);
    int repaired = 0;
    for (int round = 0; round < 12; ++round) {
        const int colours = 1 + round % 3;
        const Picture4 picture = test::RandomPicture(random, 12 + round, 10 + round, colours, 50);
        if (Solutions(picture) < 2) continue;
        const RepairResult r = MakeUnique(picture, RepairLimits{std::chrono::seconds(60), 250});
        EXPECT_EQ(r.changed, Differing(picture, r.picture)) << round;
        EXPECT_EQ(r.picture.palette, picture.palette);
        EXPECT_EQ(r.reason.empty(), r.unique) << round;  // a reason exactly when it could not
        EXPECT_TRUE(!r.unique || (r.changed >= 1 && Solutions(r.picture) == 1)) << round;
        repaired += r.unique;
    }
    EXPECT_GE(repaired, 6);
}

TEST(UniqueRepair, LeavesAUniquePictureAloneAndStopsWhenTimeRunsOut) {
    const RepairResult same = MakeUnique(test::HardPicture());
    EXPECT_TRUE(same.unique && same.changed == 0);
    EXPECT_EQ(same.picture.indices, test::HardPicture().indices);
    const Picture4 ambiguous = test::FindPicture(false, 10, 2);
    ASSERT_EQ(ambiguous.width, 10);
    const RepairResult late = MakeUnique(ambiguous, RepairLimits{std::chrono::milliseconds(0), 250});
    EXPECT_FALSE(late.unique);
    EXPECT_EQ(late.reason, "no verdict within the time given (0 cells changed)");
    const RepairResult few = MakeUnique(ambiguous, RepairLimits{std::chrono::seconds(60), 0});
    EXPECT_FALSE(few.unique);
    EXPECT_EQ(few.reason, "still ambiguous after 0 changed cells");
}

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
}

}  // namespace
}  // namespace mosgrid
