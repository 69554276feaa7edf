// SPDX-License-Identifier: GPL-3.0-or-later
// The solver's verdict on a clue puzzle: one solution becomes the picture; several, none, too
// large, too many colours and no verdict in time are refused, each with its reason.
#include <gtest/gtest.h>

#include "import/core/ClueDecision.h"
#include "import/core/TimedSearch.h"
#include "tests/unit/ImportTestPuzzles.h"

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
    const Picture4 hard = test::FindPicture(true, 10, 2);
    ASSERT_EQ(hard.width, 10);
    const ClueVerdict h = DecideCluePuzzle(FromPicture(hard));
    ASSERT_EQ(h.kind, ClueVerdict::Kind::Unique);
    EXPECT_EQ(CellsOfPicture(h.picture), CellsOfPicture(hard));
}

TEST(ClueDecision, RefusesWithTheReason) {
    struct Case {
        std::string text;
        ClueVerdict::Kind kind;
        std::string reason;
    };
    std::string wide = "width 51\nheight 1\nrows\n1\ncolumns\n";
    for (int i = 0; i < 51; ++i) wide += i == 0 ? "1\n" : "0\n";
    std::string manyColours = "#d\n";
    std::string row;
    for (int c = 0; c < 16; ++c) {
        manyColours += std::string(" ") + char('a' + c) + ":x #" + std::to_string(100000 + c) + "\n";
        row += std::string("1") + char('a' + c) + " ";
    }
    manyColours += ": rows\n" + row + "\n: columns\n";
    for (int c = 0; c < 16; ++c) manyColours += std::string("1") + char('a' + c) + "\n";
    const std::vector<Case> cases{
        {"width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n", ClueVerdict::Kind::Several, "2 solutions; the game needs exactly one"},
        {"width 2\nheight 2\nrows\n2\n0\ncolumns\n2\n0\n", ClueVerdict::Kind::Contradictory, "contradictory clues: no solution"},
        {"width 2\nheight 1\nrows\n1 1\ncolumns\n1\n1\n", ClueVerdict::Kind::Contradictory, "contradictory clues: no solution"},
        {wide, ClueVerdict::Kind::TooLarge, "51 x 1 is larger than 50 x 50"},
        {manyColours, ClueVerdict::Kind::TooManyColours, "16 colours besides white, more than 15"},
    };
    for (const Case& c : cases) {
        const ClueVerdict v = DecideCluePuzzle(Read(c.text));
        EXPECT_EQ(v.kind, c.kind) << c.text;
        EXPECT_EQ(v.reason, c.reason) << c.text;
        EXPECT_TRUE(v.picture.indices.empty());
    }
    // Permutations of 8: every line one run of 1; the count stops at the cap.
    std::string permutations = "width 8\nheight 8\nrows\n";
    for (int i = 0; i < 8; ++i) permutations += "1\n";
    permutations += "columns\n";
    for (int i = 0; i < 8; ++i) permutations += "1\n";
    const ClueVerdict capped = DecideCluePuzzle(Read(permutations), DecideLimits{std::chrono::seconds(60), 100});
    EXPECT_EQ(capped.kind, ClueVerdict::Kind::Several);
    EXPECT_EQ(capped.reason, "at least 100 solutions; the game needs exactly one");
}

TEST(ClueDecision, NoVerdictInTimeIsRefusedAsTooHard) {
    // With no time at all, the search stops at its first probe.
    const Picture4 hard = test::FindPicture(true, 10, 2);
    const ClueVerdict v = DecideCluePuzzle(FromPicture(hard), DecideLimits{std::chrono::milliseconds(0), 100});
    EXPECT_EQ(v.kind, ClueVerdict::Kind::TooHard);
    EXPECT_EQ(v.reason, "too hard to check: no verdict after 0 s");
}

}  // namespace
}  // namespace mosgrid
