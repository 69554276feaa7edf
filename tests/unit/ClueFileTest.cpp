// SPDX-License-Identifier: GPL-3.0-or-later
// Clue files: the command-line solver's .non and picture readers, its output and its count checked
// against a search without deductions; the importer's webpbn XML and ".g" readers, good and bad.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "catalogue/core/BmpWriter.h"
#include "import/core/ClueFile.h"
#include "solver/core/NonFile.h"
#include "solver/core/PuzzleFile.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid {
namespace {

// Runs as text, "1 2 |3 |" for a line list; with their colours, "2:1 1:2 |".
std::string Lines(const std::vector<std::vector<LineRun>>& lines, bool colours = false) {
    std::string s;
    for (const auto& line : lines) {
        for (const LineRun& run : line) {
            s += std::to_string(run.length) + (colours ? ":" + std::to_string(run.value) : "") + " ";
            EXPECT_TRUE(!colours || run.colourIndex == run.value);
        }
        s += '|';
    }
    return s;
}

Puzzle Read(const std::string& text) {
    Puzzle p;
    std::string error;
    EXPECT_TRUE(ReadNonText(text, p, error)) << error << "\n" << text;
    return p;
}

CluePuzzle ReadClue(const std::string& text, bool (*read)(std::string_view, CluePuzzle&, std::string&) = &ReadClueFile) {
    CluePuzzle p;
    std::string error;
    EXPECT_TRUE(read(text, p, error)) << error << "\n" << text;
    return p;
}

const std::string kCross = "width 3\nheight 3\nrows\n1\n3\n1\ncolumns\n1\n3\n1\n";

TEST(NonFile, AcceptsTheLayoutsFilesComeIn) {
    for (const std::string& text : std::vector<std::string>{kCross,
        "catalogue \"x\"\r\ntitle \"A cross\"\r\nwidth 3\r\nheight 3\r\n\r\nrows\r\n1\r\n3\r\n1\r\n\r\ncolumns\r\n1\r\n3\r\n1\r\n",
        "# a comment\ncolumns\n1\n3\n1\n\nrows\n1\n3\n1\nheight 3\nwidth 3\ngoal 010111010\n",
        "WIDTH   3\n  height 3  \nrows\n  1\n# inside a section\n3\n1\ncolumns\n1\n3\n1"}) {
        const Puzzle p = Read(text);
        EXPECT_EQ(Lines(p.rows) + Lines(p.columns), "1 |3 |1 |1 |3 |1 |") << text;
    }
    // Empty lines written as 0, as nothing, or as a blank line; numbers apart by commas or spaces.
    const Puzzle sparse = Read("width 4\nheight 3\nrows\n1,1\n0\n1 2\ncolumns\n2\n\n1\n2\n");
    EXPECT_EQ(Lines(sparse.rows) + Lines(sparse.columns), "1 1 ||1 2 |2 ||1 |2 |");
}

TEST(NonFile, RefusesWhatItCannotReadAndGivesImpossibleCluesNoSolutions) {
    const std::vector<std::string> bad{
        "",
        "height 3\nrows\n1\n3\n1\ncolumns\n1\n3\n1\n",                // no width
        "width 3\nheight 3\nrows\n1\n3\n1\n",                         // no columns
        "width 3\nheight 3\nrows\n1\n3\ncolumns\n1\n3\n1\n",          // a row missing
        "width 3\nheight 3\nrows\n1\n3\n1\n1\ncolumns\n1\n3\n1\n",    // a row too many
        "width 3\nheight 3\nrows\n1\n3x\n1\ncolumns\n1\n3\n1\n",      // not a number
        "width 101\nheight 3\nrows\n",                                // too wide
        "width 0\nheight 0\nrows\ncolumns\n",
        "width 3\nheight 3\nrows\n1\n3\n1\nrows\n1\n3\n1\ncolumns\n1\n3\n1\n",
        std::string("\x7f\x45LF\x02\x01\x01\0\0\xff\xfe rows", 17),
    };
    Puzzle p;
    for (const std::string& text : bad) {
        std::string error;
        EXPECT_TRUE(!ReadNonText(text, p, error) && !error.empty() && error.find('\n') == std::string::npos) << text << ": " << error;
    }
    const std::vector<std::string> impossible{
        "width 3\nheight 1\nrows\n2 1\ncolumns\n1\n1\n1\n",                        // runs longer than the line
        "width 3\nheight 1\nrows\n99999999999999999999\ncolumns\n1\n1\n1\n",      // a huge number
        "width 2\nheight 1\nrows\n1 1 1 1 1 1\ncolumns\n1\n1\n",                  // more runs than room
        "width 2\nheight 2\nrows\n2\n0\ncolumns\n1\n0\n",                          // rows and columns disagree
    };
    for (const std::string& text : impossible) {
        const CountResult r = CountSolutions(Read(text), 100, false);
        EXPECT_TRUE(r.solutions == 0 && !r.capped) << text;
    }
}

// Blank lines stand for lines without runs or merely space a section out: they are dropped from
// the section's end, then from its start, then everywhere, while there are more lines than the
// puzzle has. The rule is applied here to a list of lines, which the reader never makes.
std::string BlankLineRule(std::vector<std::string> lines, std::size_t count) {
    while (lines.size() > count && lines.back().empty()) lines.pop_back();
    while (lines.size() > count && lines.front().empty()) lines.erase(lines.begin());
    if (lines.size() > count) std::erase_if(lines, [](const std::string& l) { return l.empty(); });
    if (lines.size() != count) return "refused";
    std::string runs;
    for (const std::string& l : lines) runs += (l.empty() ? "" : l + " ") + "|";
    return runs;
}

TEST(NonFile, BlankLinesFollowOneRuleAndLargeFilesReadInOnePassWithinThePuzzlesLines) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t height = 1 + random() % 4;
        std::vector<std::string> lines(random() % 9);
        for (std::string& line : lines) line = random() % 2 ? "" : std::to_string(1 + random() % 2);
        std::string text = "width 2\nheight " + std::to_string(height) + "\nrows\n";
        for (const std::string& line : lines) text += line + "\n";
        text += random() % 2 ? "columns\n\n\n" : "columns\n0\n0";
        Puzzle p;
        std::string error;
        EXPECT_EQ(ReadNonText(text, p, error) ? Lines(p.rows) : "refused", BlankLineRule(lines, height)) << text;
    }
    // 60 MB of line ends (the benchmark bench_nonfile times them).
    const Puzzle newlines = Read("width 2\nheight 1\ncolumns\n1\n\nrows\n" + std::string(60u << 20, '\n'));
    EXPECT_EQ(Lines(newlines.rows) + Lines(newlines.columns), "|1 ||");
    // More clue lines than the largest puzzle has lines are refused as they come.
    std::string many = "width 1\nheight 1\ncolumns\n1\nrows\n";
    for (int i = 0; i <= kMaxLine; ++i) many += "1\n\n";
    Puzzle p;
    std::string error;
    EXPECT_TRUE(!ReadNonText(many, p, error) && error == "rows: more than " + std::to_string(kMaxLine) + " clue lines") << error;
}

TEST(PuzzleFile, ReadsPicturesWithTheGamesCluesAndWritesItsLines) {
    const std::vector<std::uint8_t> bmp = EncodeBmp4(test::PictureFromText({"122", "1.."}, {kWhite, kRed, kBlack}));
    PuzzleFile file;
    std::string error;
    ASSERT_TRUE(ReadPuzzleFile(std::string(bmp.begin(), bmp.end()), file, error)) << error;
    EXPECT_TRUE(file.colours == 3 && Lines(file.puzzle.rows) == "1 2 |1 |");
    const CountResult r = CountSolutions(file.puzzle, 100, true);
    ASSERT_TRUE(r.solutions == 1 && r.lineSolvable);
    EXPECT_EQ(GridText(file.puzzle, r.grids[0]), "#bb\n#..\n");
    // The reader refuses every undecodable kind (BmpFile's table); here the message for a cut
    // picture, and for binary bytes without "BM", which are tried as clue text and are not that either.
    for (const auto& [bytes, message] : {std::pair(std::string("BM\x10"), "cannot be read as a puzzle picture"),
                                         {std::string("BA\0\x01", 4), "neither a BMP picture nor"}})
        EXPECT_TRUE(!ReadPuzzleFile(bytes, file, error) && error.find(message) != std::string::npos) << error;

    ASSERT_TRUE(ReadPuzzleFile(kCross, file, error));
    std::string json = JsonLine("dir/\"x\".non", file, CountSolutions(file.puzzle, 2, false));
    ASSERT_GT(json.size(), 10u);
    EXPECT_EQ(json.substr(0, json.rfind(' ')),
              "{\"file\": \"dir/\\\"x\\\".non\", \"width\": 3, \"height\": 3, \"colours\": 2, \"solutions\": 1, "
              "\"capped\": false, \"line_solvable\": true, \"ms\":");
    EXPECT_EQ(json.back(), '}');
    // A name that is not UTF-8: each stray byte (a lone continuation, a cut sequence, an overlong
    // form, a surrogate, a lead past U+10FFFF) becomes \ufffd; whole sequences and controls
    // come out as JSON has them.
    json = JsonLine("a\x80" "b\xC3\xA9\xE2\x82\xC0\xAF\xED\xA0\x80\xF5\x80\xF0\x9F\x98\x80\x01.non", file,
                    CountSolutions(file.puzzle, 2, false));
    EXPECT_EQ(json.substr(0, json.find(',')), "{\"file\": \"a\\ufffdb\xC3\xA9\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd"
                                             "\\ufffd\\ufffd\\ufffd\xF0\x9F\x98\x80\\u0001.non\"");
}

// Random puzzles of up to three colours: neither the deductions between guesses nor the search
// in free order (for more solutions than asked: the lexicographic search it leads) may change
// the solutions, their order, the count or the cap.
TEST(PuzzleFile, ProbingAndFreeOrderKeepTheSolutionsAndTheirOrder) {
    std::mt19937 random(2024);
    auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    int multiple = 0, large = 0, over = 0;
    for (int n = 0; n < 300; ++n) {
        // From 100 cells on the search uses its line table.
        Picture4 picture{between(2, 14), between(2, 14), {kWhite, kRed, kBlack}, {}};
        std::bernoulli_distribution filled(std::uniform_real_distribution<double>(0.3, 0.7)(random));
        for (int i = 0; i < picture.width * picture.height; ++i)
            picture.indices.push_back(std::uint8_t(filled(random) ? between(1, n % 3 == 0 ? 2 : 1) : 0));
        const std::vector<std::uint8_t> bmp = EncodeBmp4(picture);
        PuzzleFile file;
        std::string error;
        ASSERT_TRUE(ReadPuzzleFile(std::string(bmp.begin(), bmp.end()), file, error)) << error;
        const Puzzle& p = file.puzzle;
        SolutionSearchOptions plain;
        plain.search.probing = false;
        plain.search.cache = false;
        const CountResult a = CountSolutions(p, 100, true, plain);
        ASSERT_GE(a.solutions, 1);
        for (long max : {100L, 1L, 3L}) {
            const CountResult b = CountSolutions(p, max, true);
            const auto expected = std::vector(a.grids.begin(), a.grids.begin() + std::min<long>(max, a.solutions));
            ASSERT_EQ(b.grids, expected) << "puzzle " << n << ", max " << max;
            EXPECT_EQ(b.capped, a.solutions >= max);
            // Only the count: the same count and cap.
            const CountResult c = CountSolutions(p, max, false);
            EXPECT_TRUE(c.solutions == b.solutions && c.capped == b.capped);
            over += a.solutions > max;
        }
        multiple += a.solutions > 1;
        large += p.width * p.height >= 100;
    }
    EXPECT_TRUE(multiple > 30 && large > 30 && over > 60) << multiple << " " << large << " " << over;
}

std::string Seed(const std::string& name) {
    const std::vector<std::uint8_t> bytes = test::ReadBytes(MOSGRID_SOURCE_DIR "/fuzz/corpus/" + name);
    EXPECT_FALSE(bytes.empty()) << name;
    return {bytes.begin(), bytes.end()};
}

TEST(ClueFile, ReadsTheColourAndTwoColourLayoutsAndVariantsFilesComeIn) {
    for (const char* name : {"webpbn/colours.xml", "olsak/colours.g"}) {
        const CluePuzzle p = ReadClue(Seed(name));
        EXPECT_TRUE(p.puzzle.width == 3 && p.puzzle.height == 3 && p.puzzle.Valid()) << name;
        // Only the colours the runs use, in the order the file declares them.
        EXPECT_EQ(p.colours, (std::vector<COLORREF>{kWhite, MakeColour(0, 0, 0), MakeColour(0xCC, 0, 0)})) << name;
        EXPECT_EQ(Lines(p.puzzle.rows, true), "2:2 1:1 ||3:1 |") << name;
        EXPECT_EQ(Lines(p.puzzle.columns, true), "1:2 1:1 |1:2 1:1 |1:1 1:1 |") << name;
    }
    const std::string lines = "<clues type='rows'><line><count>1</count></line></clues>"
                              "<clues type='columns'><line><count>1</count></line></clues></puzzle>";
    // No colour table: black on white; a background other than white still shows white, and the
    // default colour of runs is the puzzle's own.
    for (const auto& [text, colour] : std::vector<std::pair<std::string, COLORREF>>{
             {Seed("webpbn/two_colours.xml"), kBlack}, {Seed("olsak/plain.g"), kBlack}, {Seed("non/cross.non"), kBlack},
             {"<puzzle>" + lines, kBlack},
             {"<puzzle backgroundcolor='sky' defaultcolor='leaf'><color name='sky'>00f</color><color name='leaf'>0A0</color>" + lines,
              MakeColour(0, 0xAA, 0)}}) {
        const CluePuzzle p = ReadClue(text);
        EXPECT_EQ(p.colours, (std::vector<COLORREF>{kWhite, colour})) << text;
        EXPECT_EQ(Lines(p.puzzle.rows, true), p.puzzle.height == 3 ? "1:1 |3:1 |1:1 |" : "1:1 |") << text;
    }
    EXPECT_EQ(ReadClue(Seed("webpbn/two_colours.xml"), &ReadWebpbnXml).title, "Крест");
    // A .non file's title line, quoted or not; a "titled" keyword is no title.
    for (const auto& [line, title] : {std::pair("title \"Уголок\"", "Уголок"), {"Title Уголок", "Уголок"}, {"titled Нет", ""}})
        EXPECT_EQ(ReadClue(std::string(line) + "\nwidth 1\nheight 1\nrows\n1\ncolumns\n1\n").title, title) << line;
    // Six runs in a line of three cells: kept as four, which still cannot be placed.
    const CluePuzzle six = ReadClue(": rows\n1 1 1 1 1 1\n: columns\n1\n1\n1\n", &ReadOlsakG);
    EXPECT_TRUE(six.puzzle.rows[0].size() == 4u && six.puzzle.Valid());
}

TEST(ClueFile, RefusesMalformedFilesWithAReason) {
    const std::string rows = "<clues type='rows'><line><count>1</count></line></clues>";
    const std::string columns = "<clues type='columns'><line><count>1</count></line></clues>";
    const std::vector<std::string> badXml{
        "",
        "<puzzle>",                                                           // not well-formed
        "<nothing/>",                                                         // no puzzle
        "<puzzle type='triddler'>" + rows + columns + "</puzzle>",            // not a grid
        "<puzzle>" + rows + "</puzzle>",                                      // no columns
        "<puzzle>" + rows + rows + columns + "</puzzle>",                     // rows twice
        "<puzzle><clues type='rows'><line><count>x</count></line></clues>" + columns + "</puzzle>",
        "<puzzle><clues type='rows'><line><count>0</count></line></clues>" + columns + "</puzzle>",
        "<puzzle><clues type='rows'><line><count color='red'>1</count></line></clues>" + columns + "</puzzle>",
        "<puzzle><color name='a'>zzz</color>" + rows + columns + "</puzzle>", // bad RGB
        "<puzzle><color name='a'>000</color><color name='a'>111</color>" + rows + columns + "</puzzle>",
        // a run in white, and two run colours alike (the game would merge them)
        "<puzzle defaultcolor='w2'><color name='w2'>fff</color>" + rows + columns + "</puzzle>",
        "<puzzle><color name='black'>000</color><color name='b2'>000</color>"
        "<clues type='rows'><line><count>1</count><count color='b2'>1</count></line></clues>" + columns + "</puzzle>",
    };
    const std::vector<std::string> badG{
        "",
        ": rows\n1\n",                                  // no columns
        ": rows\n1\n: rows\n1\n: columns\n1\n",         // rows twice
        ": rows\n1x\n: columns\n1\n",                   // undeclared letter
        "#d\n r:r #FF0000\n: rows\n1\n: columns\n1r\n", // no default colour
        "#d\n r:r chartreuse3\n: rows\n1r\n: columns\n1r\n",
        "#d\n 5:r #FF0000\n: rows\n1\n: columns\n1\n",  // a digit as a letter
        ": rows\n1 0\n: columns\n1\n",                  // 0 beside runs
        ": rows\n99999999999\n: columns\n1\n",
        ": rows\nx\n: columns\n1\n",
        "#Triddlers\n: rows\n1\n: columns\n1\n",
        ": diagonals\n1\n",
    };
    for (const auto& [read, texts] : {std::pair(&ReadWebpbnXml, &badXml), std::pair(&ReadOlsakG, &badG)}) {
        for (const std::string& text : *texts) {
            CluePuzzle p;
            std::string error;
            EXPECT_TRUE(!read(text, p, error) && !error.empty()) << text;
        }
    }
}

}  // namespace
}  // namespace mosgrid
