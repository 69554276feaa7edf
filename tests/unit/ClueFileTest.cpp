// SPDX-License-Identifier: GPL-3.0-or-later
// The webpbn XML and ".g" clue-file readers on good files (the fuzzers' seeds and variants) and
// on malformed ones, which must be refused with a reason.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "import/core/ClueFile.h"

namespace mosgrid {
namespace {

std::string Seed(const std::string& name) {
    std::ifstream in(std::string(MOSGRID_SOURCE_DIR) + "/fuzz/corpus/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    EXPECT_FALSE(s.str().empty()) << name;
    return s.str();
}

// Runs as text with the colour of each run as its value: "2:1 1:2|" for a line list.
std::string Lines(const std::vector<std::vector<LineRun>>& lines) {
    std::string s;
    for (const auto& line : lines) {
        for (const LineRun& run : line) {
            s += std::to_string(run.length) + ":" + std::to_string(run.value) + " ";
            EXPECT_EQ(run.colourIndex, run.value);
        }
        s += '|';
    }
    return s;
}

TEST(ClueFile, ReadsTheColourAndTwoColourLayouts) {
    for (const char* name : {"webpbn/colours.xml", "olsak/colours.g"}) {
        CluePuzzle p;
        std::string error;
        ASSERT_TRUE(ReadClueFile(Seed(name), p, error)) << name << ": " << error;
        EXPECT_EQ(p.puzzle.width, 3);
        EXPECT_EQ(p.puzzle.height, 3);
        // Only the colours the runs use, in the order the file declares them.
        EXPECT_EQ(p.colours, (std::vector<COLORREF>{kWhite, MakeColour(0, 0, 0), MakeColour(0xCC, 0, 0)})) << name;
        EXPECT_EQ(Lines(p.puzzle.rows), "2:2 1:1 ||3:1 |") << name;
        EXPECT_EQ(Lines(p.puzzle.columns), "1:2 1:1 |1:2 1:1 |1:1 1:1 |") << name;
        EXPECT_TRUE(p.puzzle.Valid());
    }
    for (const char* name : {"webpbn/two_colours.xml", "olsak/plain.g", "non/cross.non"}) {
        CluePuzzle p;
        std::string error;
        ASSERT_TRUE(ReadClueFile(Seed(name), p, error)) << name << ": " << error;
        EXPECT_EQ(p.colours, (std::vector<COLORREF>{kWhite, kBlack})) << name;
        EXPECT_EQ(Lines(p.puzzle.rows), "1:1 |3:1 |1:1 |") << name;
    }
    CluePuzzle titled;
    std::string error;
    ASSERT_TRUE(ReadWebpbnXml(Seed("webpbn/two_colours.xml"), titled, error));
    EXPECT_EQ(titled.title, "Крест");
    // A .non file's title line, quoted or not; a "titled" keyword is no title.
    for (const char* line : {"title \"Уголок\"", "Title Уголок", "titled Нет"}) {
        CluePuzzle non;
        ASSERT_TRUE(ReadClueFile(std::string(line) + "\nwidth 1\nheight 1\nrows\n1\ncolumns\n1\n", non, error)) << line;
        EXPECT_EQ(non.title, std::string(line).find("Нет") == std::string::npos ? "Уголок" : "") << line;
    }
}

TEST(ClueFile, XmlVariantsFilesComeIn) {
    CluePuzzle p;
    std::string error;
    // No colour table: black on white; a background other than white still shows white, and the
    // default colour of runs is the puzzle's own.
    ASSERT_TRUE(ReadWebpbnXml("<puzzle><clues type='rows'><line><count>1</count></line></clues>"
                              "<clues type='columns'><line><count>1</count></line></clues></puzzle>",
                              p, error))
        << error;
    EXPECT_EQ(p.colours, (std::vector<COLORREF>{kWhite, kBlack}));
    ASSERT_TRUE(ReadWebpbnXml("<puzzle backgroundcolor='sky' defaultcolor='leaf'>"
                              "<color name='sky'>00f</color><color name='leaf'>0A0</color>"
                              "<clues type='rows'><line><count>1</count></line></clues>"
                              "<clues type='columns'><line><count>1</count></line></clues></puzzle>",
                              p, error))
        << error;
    EXPECT_EQ(p.colours, (std::vector<COLORREF>{kWhite, MakeColour(0, 0xAA, 0)}));
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
    for (const std::string& text : badXml) {
        CluePuzzle p;
        std::string error;
        EXPECT_FALSE(ReadWebpbnXml(text, p, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
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
    for (const std::string& text : badG) {
        CluePuzzle p;
        std::string error;
        EXPECT_FALSE(ReadOlsakG(text, p, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(ClueFile, RunsThatCannotFitStillGiveAPuzzle) {
    // Six runs in a line of three cells: kept as four, which still cannot be placed.
    CluePuzzle p;
    std::string error;
    ASSERT_TRUE(ReadOlsakG(": rows\n1 1 1 1 1 1\n: columns\n1\n1\n1\n", p, error)) << error;
    EXPECT_EQ(p.puzzle.rows[0].size(), 4u);
    EXPECT_TRUE(p.puzzle.Valid());
}

}  // namespace
}  // namespace mosgrid
