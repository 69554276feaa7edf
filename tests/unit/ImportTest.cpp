// SPDX-License-Identifier: GPL-3.0-or-later
// The importer's core: pictures converted, the verdict on clues, the repair, the written puzzle;
// difficulty ratings, their cache and the scan that rates pictures on a thread of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <future>
#include <random>
#include <set>

#include "common/BmpFile.h"
#include "catalogue/core/PictureFiles.h"
#include "import/core/ClueDecision.h"
#include "import/core/Difficulty.h"
#include "import/core/DifficultyScan.h"
#include "import/core/ImportFile.h"
#include "import/core/PictureConvert.h"
#include "import/core/TimedSearch.h"
#include "import/core/UniqueRepair.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

// Puzzles from random pixels; with a fixed seed the same one is found every run.
Picture4 RandomPicture(std::mt19937& random, int width, int height, int colours, int fillPercent) {
    Picture4 p{width, height, {kWhite}, {}};
    for (int c = 1; c <= colours; ++c) p.palette.push_back(MakeColour(std::uint8_t(40 * c), 0, std::uint8_t(200 - 10 * c)));
    std::uniform_int_distribution<int> percent(0, 99), colour(1, colours);
    for (int i = 0; i < width * height; ++i) p.indices.push_back(std::uint8_t(percent(random) < fillPercent ? colour(random) : 0));
    return p;
}

// A picture of one solution that line passes alone do not find (`unique`), or of several.
Picture4 FindPicture(bool unique, int side, int colours) {
    std::mt19937 random(12345);
    for (int attempt = 0; attempt < 5000; ++attempt) {
        Picture4 p = RandomPicture(random, side, side, colours, 55);
        const TimedCount count = CountWithin(PuzzleFromPicture(p), 2, std::chrono::seconds(20), 0);
        if (unique ? count.solutions == 1 && !count.linesAlone : count.solutions == 2) return p;
    }
    return {};
}

// The unique 10 x 10 picture of two colours that needs more than line passes, found once.
const Picture4& HardPicture() {
    static const Picture4 hard = FindPicture(true, 10, 2);
    return hard;
}

RgbaImage Blank(int width, int height) { return {width, height, std::vector<std::uint8_t>(std::size_t(width * height) * 4, 0)}; }

void Set(RgbaImage& image, int x, int y, COLORREF c, std::uint8_t alpha = 255) {
    std::uint8_t* p = &image.rgba[std::size_t(y * image.width + x) * 4];
    p[0] = RedOf(c), p[1] = GreenOf(c), p[2] = BlueOf(c), p[3] = alpha;
}

// Smooth colours over the whole picture, a hard case for the quantiser.
RgbaImage Gradient(int width, int height) {
    RgbaImage image = Blank(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Set(image, x, y, MakeColour(std::uint8_t(255 * x / width), std::uint8_t(255 * y / height), std::uint8_t((x * y) % 200)));
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
    EXPECT_TRUE(p.width == 8 && p.height == 4);
    // White first, then the colours darkest first, exactly as drawn.
    EXPECT_EQ(p.palette, (std::vector<COLORREF>{kWhite, navy, red, green}));
    EXPECT_EQ(p.indices, test::PictureFromText({"22222222", "11110000", "..333333", "........"}, {}).indices);
    // With the lightness threshold off, off-white is a colour of its own; with one colour all
    // that is not background is one colour.
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{30, 30, false, 4, 256}, p, error)) << error;
    EXPECT_EQ(p.palette.size(), 5u);
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{30, 30, false, 1, 240}, p, error)) << error;
    EXPECT_TRUE(p.palette.size() == 2u && std::count(p.indices.begin(), p.indices.end(), 1) == 8 + 4 + 6);
    // Enlarged into a box: the aspect stays.
    ASSERT_TRUE(ConvertPicture(image, ConvertOptions{20, 20, true, 3, 240}, p, error)) << error;
    EXPECT_TRUE(p.width == 20 && p.height == 10);
}

TEST(PictureConvert, ReducesSmoothColoursToAtMostTheNumberAskedEachOnceWhiteFirst) {
    const RgbaImage image = Gradient(300, 200);
    for (int colours : {2, 6, 15}) {
        Picture4 p;
        std::string error;
        ASSERT_TRUE(ConvertPicture(image, ConvertOptions{40, 40, false, colours, 240}, p, error)) << error;
        EXPECT_TRUE(p.width == 40 && p.height == 27 && int(p.palette.size()) <= colours + 1) << colours;
        EXPECT_TRUE(std::set<COLORREF>(p.palette.begin(), p.palette.end()).size() == p.palette.size() && p.palette[0] == kWhite);
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
    EXPECT_TRUE(v.picture.indices == (std::vector<std::uint8_t>{1, 1, 2, 0, 0, 0, 2, 2, 2}) && v.reason.empty());
    // A unique puzzle that needs more than line passes, as a picture round trip.
    const ClueVerdict h = DecideCluePuzzle(FromPicture(HardPicture()));
    ASSERT_EQ(h.kind, ClueVerdict::Kind::Unique);
    EXPECT_EQ(CellsOfPicture(h.picture), CellsOfPicture(HardPicture()));
}

TEST(ClueDecision, RefusesWithTheReason) {
    auto times = [](const std::string& text, int n) {
        std::string out;
        while (n-- > 0) out += text;
        return out;
    };
    using Kind = ClueVerdict::Kind;
    const std::vector<std::tuple<std::string, Kind, std::string>> cases{
        {"width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n", Kind::Several, "2 solutions; the game needs exactly one"},
        {"width 2\nheight 2\nrows\n2\n0\ncolumns\n2\n0\n", Kind::Contradictory, "contradictory clues: no solution"},
        {"width 2\nheight 1\nrows\n1 1\ncolumns\n1\n1\n", Kind::Contradictory, "contradictory clues: no solution"},
        {"width 51\nheight 1\nrows\n1\ncolumns\n1\n" + times("0\n", 50), Kind::TooLarge, "51 x 1 is larger than 50 x 50"},
        // Permutations of 8: every line one run of 1; the count stops at the cap.
        {"width 8\nheight 8\nrows\n" + times("1\n", 8) + "columns\n" + times("1\n", 8), Kind::Several,
         "at least 100 solutions; the game needs exactly one"},
    };
    for (const auto& [text, kind, reason] : cases) {
        const ClueVerdict v = DecideCluePuzzle(Read(text));
        EXPECT_EQ(v.kind, kind) << text;
        EXPECT_TRUE(v.reason == reason && v.picture.indices.empty()) << text << v.reason;
    }
    // Colours are counted as the reader keeps them (those the runs use: ClueFile's test).
    CluePuzzle many = Read("width 1\nheight 1\nrows\n1\ncolumns\n1\n");
    many.colours.resize(17, kBlack);
    const ClueVerdict tooMany = DecideCluePuzzle(many);
    EXPECT_TRUE(tooMany.kind == Kind::TooManyColours && tooMany.reason == "16 colours besides white, more than 15") << tooMany.reason;
    // With no time at all, the search stops at its first probe.
    const ClueVerdict late = DecideCluePuzzle(FromPicture(HardPicture()), DecideLimits{std::chrono::milliseconds(0), 100});
    EXPECT_TRUE(late.kind == Kind::TooHard && late.reason == "too hard to check: no verdict after 0 s") << late.reason;
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
        const Picture4 picture = RandomPicture(random, 12 + round, 10 + round, colours, 50);
        if (Solutions(picture) < 2) continue;
        const RepairResult r = MakeUnique(picture, RepairLimits{std::chrono::seconds(60), 250});
        EXPECT_TRUE(r.changed == Differing(picture, r.picture) && r.picture.palette == picture.palette) << round;
        EXPECT_EQ(r.reason.empty(), r.unique) << round;  // a reason exactly when it could not
        EXPECT_TRUE(!r.unique || (r.changed >= 1 && Solutions(r.picture) == 1)) << round;
        repaired += r.unique;
    }
    EXPECT_GE(repaired, 6);
}

TEST(UniqueRepair, LeavesAUniquePictureAloneAndStopsWhenTimeRunsOut) {
    const RepairResult same = MakeUnique(HardPicture());
    EXPECT_TRUE(same.unique && same.changed == 0);
    EXPECT_EQ(same.picture.indices, HardPicture().indices);
    const Picture4 ambiguous = FindPicture(false, 10, 2);
    ASSERT_EQ(ambiguous.width, 10);
    for (const auto& [limits, reason] : {std::pair(RepairLimits{std::chrono::milliseconds(0), 250}, "no verdict within the time given (0 cells changed)"),
                                         {RepairLimits{std::chrono::seconds(60), 0}, "still ambiguous after 0 changed cells"}}) {
        const RepairResult r = MakeUnique(ambiguous, limits);
        EXPECT_TRUE(!r.unique && r.reason == reason) << r.reason;
    }
}

TEST(ImportFile, NamesFollowTheGamesRule) {
    for (const char* good : {"Кот", "a b", "x.bmp", "back\\slash", ".hidden"}) EXPECT_TRUE(IsImportName(good)) << good;
    for (const std::string& bad : std::vector<std::string>{"", ".", "..", "a/b", std::string("a\0b", 3), std::string(260, 'a'), std::string("\xff")})
        EXPECT_FALSE(IsImportName(bad)) << bad;
    // A given name comes first; a title that is no name gives way to the file's (a good title: WritesAPuzzle...).
    ImportRequest request;
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
    EXPECT_TRUE(first.name == "Уголок" && first.colours == 3);
    CBmpFile picture;
    ASSERT_EQ(picture.Load(first.path), 1);
    EXPECT_TRUE(IsPuzzlePicture(picture) && picture.colourCount == 3);
    EXPECT_EQ(picture.PaletteColour(picture.PixelIndex(1, 0)), MakeColour(0x11, 0x22, 0x33));  // the default colour
    EXPECT_EQ(FindPicturePath(folder.path(), u"Уголок"), first.path);

    // The same name again, even written with another letter case of the extension: kept.
    std::filesystem::rename(first.path, folder.path() / "Уголок.BMP");
    const std::string other = "width 1\nheight 1\nrows\n1\ncolumns\n1\n";
    request.name = "Уголок";
    const ImportOutcome second = ImportClueText(other, "dot.non", request);
    EXPECT_TRUE(!second.written && second.reason == "a puzzle named \"Уголок\" exists already (--replace overwrites it)") << second.reason;
    ASSERT_EQ(picture.Load(folder.path() / "Уголок.BMP"), 1);
    EXPECT_EQ(picture.width, 2);
    request.replace = true;
    const ImportOutcome third = ImportClueText(other, "dot.non", request);
    ASSERT_TRUE(third.written && third.path == folder.path() / "Уголок.BMP") << third.reason;
    EXPECT_TRUE(picture.Load(third.path) == 1 && picture.width == 1);
}

// Only the refusal: the repair itself is UniqueRepair's, and the command-line test imports with it.
TEST(ImportFile, PicturesWithSeveralSolutionsNeedTheRepair) {
    test::TempFolder folder;
    ImportRequest request;
    request.folder = folder.path();
    // Two crossing diagonals: the clues fit both.
    RgbaImage image{4, 4, std::vector<std::uint8_t>(64, 0)};
    for (int i : {0, 3, 5, 6, 9, 10, 12, 15}) image.rgba[std::size_t(i) * 4 + 3] = 255;
    const ImportOutcome refused = ImportImage(image, "x.png", request);
    EXPECT_FALSE(refused.written || std::filesystem::exists(folder / "x.bmp"));
    EXPECT_EQ(refused.reason, "3 solutions (--repair changes cells until one is left)");
}

TEST(Difficulty, RatesByTheReasoningNeeded) {
    // Every level the solver tells apart, from random pictures of a fixed seed.
    std::mt19937 random(99);
    std::map<Difficulty, int> seen;
    for (int round = 0; round < 120; ++round) {
        const Picture4 p = RandomPicture(random, 12, 12, 1 + round % 2, 50 + round % 20);
        const Puzzle puzzle = PuzzleFromPicture(p);
        const Difficulty level = RateDifficulty(puzzle);
        ++seen[level];
        // The level agrees with what the search itself reports.
        const TimedCount count = CountWithin(puzzle, 2, std::chrono::seconds(60), 0);
        const TimedCount noProbing = CountWithin(puzzle, 2, std::chrono::seconds(60), 0, GridSearch::Options{false, true, true});
        switch (level) {
        case Difficulty::Lines: EXPECT_TRUE(count.linesAlone); break;
        case Difficulty::LookAhead:  // without look-ahead it has to guess
            EXPECT_TRUE(count.solutions == 1 && count.guesses == 0 && noProbing.guesses > 0);
            break;
        case Difficulty::Trial: EXPECT_TRUE(count.guesses > 0 && count.solutions == 1); break;
        case Difficulty::Ambiguous: EXPECT_EQ(count.solutions, 2); break;
        case Difficulty::Unknown: ADD_FAILURE() << "no verdict on a 12 x 12 puzzle"; break;
        }
    }
    EXPECT_TRUE(seen[Difficulty::Lines] > 0 && seen[Difficulty::LookAhead] > 0 && seen[Difficulty::Ambiguous] > 0);
    // Small random pictures almost never need guesses; this one, made unique by the repair, does.
    const std::vector<std::uint8_t> text = test::ReadBytes(MOSGRID_SOURCE_DIR "/tests/import/trial.non");
    CluePuzzle trial;
    std::string error;
    ASSERT_TRUE(ReadClueFile(std::string(text.begin(), text.end()), trial, error)) << error;
    EXPECT_EQ(RateDifficulty(trial.puzzle), Difficulty::Trial);
    EXPECT_EQ(RateDifficulty(PuzzleFromPicture(HardPicture()), std::chrono::milliseconds(0)), Difficulty::Unknown);
}

TEST(Difficulty, CacheIsKeyedByContentAndSurvivesASave) {
    test::TempFolder folder;
    const auto a = DifficultyCache::Key({1, 2, 3}), b = DifficultyCache::Key({1, 2, 4});
    DifficultyCache cache, loaded, none;
    cache.Put(a, Difficulty::Trial), cache.Put(b, Difficulty::Lines);
    const auto path = folder.path() / "levels";
    ASSERT_TRUE(cache.Save(path));
    std::ofstream(path, std::ios::app) << "not a line\n0123456789abcdef 9\n";  // skipped when loading
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_TRUE(loaded.Size() == 2u && loaded.Find(a) == Difficulty::Trial && loaded.Find(b) == Difficulty::Lines);
    EXPECT_TRUE(!loaded.Find(12345) && none.Load(folder.path() / "missing") && none.Size() == 0u);
}

std::filesystem::path Write(const std::filesystem::path& folder, const std::string& name, const Picture4& picture) {
    EXPECT_TRUE(WriteBmp4(folder / (name + ".bmp"), picture));
    return folder / (name + ".bmp");
}

TEST(DifficultyScan, RatesEachFileOnceByItsBytes) {
    test::TempFolder folder;
    const Picture4& hard = HardPicture();
    Picture4 plain = hard;
    std::fill(plain.indices.begin(), plain.indices.end(), 1);
    const std::vector<std::filesystem::path> files{
        Write(folder.path(), "hard", hard), Write(folder.path(), "plain", plain),
        Write(folder.path(), "hard copy", hard), folder.path() / "missing.bmp"};
    std::vector<RatedPicture> rated;
    DifficultyScan scan(files, DifficultyCache{}, [&](const RatedPicture& r) { rated.push_back(r); });
    const DifficultyCache cache = scan.Finish();
    ASSERT_EQ(rated.size(), 4u);
    const Difficulty level = RateDifficulty(PuzzleFromPicture(hard));
    EXPECT_TRUE(level != Difficulty::Lines && rated[0].level == level && !rated[0].fromCache && rated[2].level == level && rated[2].fromCache);
    EXPECT_TRUE(rated[1].level == Difficulty::Lines && rated[3].level == Difficulty::Unknown && cache.Size() == 2u);

    // A second scan with that cache asks the solver nothing.
    std::vector<RatedPicture> again;
    DifficultyScan(files, cache, [&](const RatedPicture& r) { again.push_back(r); }).Finish();
    ASSERT_EQ(again.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(again[std::size_t(i)].fromCache) << i;
}

TEST(DifficultyScan, StopEndsTheScanWithoutFurtherReports) {
    test::TempFolder folder;
    std::mt19937 random(3);
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 5; ++i) files.push_back(Write(folder.path(), std::to_string(i), RandomPicture(random, 12, 12, 1, 50)));
    std::promise<DifficultyScan*> started;
    const std::shared_future<DifficultyScan*> running = started.get_future().share();
    std::vector<RatedPicture> rated;  // read once Finish has joined the scan's thread
    {
        DifficultyScan scan(files, DifficultyCache{}, [&](const RatedPicture& r) {
            rated.push_back(r);
            running.get()->Stop();  // from the report itself, after the first file
        }, std::chrono::seconds(60));
        started.set_value(&scan);
        EXPECT_EQ(scan.Finish().Size(), 1u);
    }
    EXPECT_EQ(rated.size(), 1u);
}

}  // namespace
}  // namespace mosgrid
