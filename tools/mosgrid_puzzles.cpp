// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the text sources of the bundled puzzles into the 4-bit BMP pictures the game reads.
//
//   mosgrid_puzzles OUTPUT_FOLDER SOURCE.txt...
//   mosgrid_puzzles --table README.md SOURCE.txt...   (writes the pack's table instead)
//
// A source is UTF-8 text:
//
//   name: Кот                 the puzzle's name, which is also the picture's file name
//   colour . FFFFFF белый     one line a palette entry: a character, RRGGBB, a free comment
//   colour # 000000 чёрный
//   picture:
//   ..##..                    one line a pixel row, one character a pixel, top row first
//
// Lines starting with ';' and blank lines before "picture:" are ignored. The first palette line
// must be white: it is the background of every puzzle. The tool refuses (exit code 1, a message
// naming the file and line) anything the game would not accept or that is not a clean puzzle:
// no white, more than 16 colours, a size outside 1..50, ragged rows, an undeclared character, a
// colour declared twice or declared but never used, a name that differs from the file's name.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"
#include "import/core/Difficulty.h"
#include "import/core/TimedSearch.h"
#include "solver/core/SolvePuzzle.h"

namespace {

using mosgrid::COLORREF;

struct Source {
    std::string name;
    mosgrid::Picture4 picture;
};

struct SourceError {
    std::string message;
};

[[noreturn]] void Fail(const std::filesystem::path& file, int line, const std::string& what) {
    std::ostringstream out;
    out << file.string();
    if (line > 0) out << ':' << line;
    out << ": " << what;
    throw SourceError{out.str()};
}

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool ParseHex(const std::string& text, COLORREF& colour) {
    if (text.size() != 6) return false;
    char* end = nullptr;
    unsigned long v = std::strtoul(text.c_str(), &end, 16);
    if (end != text.c_str() + 6) return false;
    colour = mosgrid::MakeColour(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v));
    return true;
}

Source ReadSource(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) Fail(file, 0, "cannot be read");
    Source src;
    std::map<char, std::uint8_t> indexOf;
    std::set<COLORREF> declared;
    std::vector<std::string> rows;
    bool inPicture = false;
    int lineNo = 0;
    int pictureLine = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inPicture) {
            if (Trim(line).empty()) continue;  // trailing blank lines
            rows.push_back(line);
            continue;
        }
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';') continue;
        if (t.rfind("name:", 0) == 0) {
            src.name = Trim(t.substr(5));
        } else if (t.rfind("colour ", 0) == 0) {
            std::istringstream fields(t.substr(7));
            std::string key, hex;
            fields >> key >> hex;
            COLORREF colour = 0;
            if (key.size() != 1 || key[0] <= ' ' || (unsigned char)key[0] >= 0x80)
                Fail(file, lineNo, "a palette character must be one printable ASCII character");
            if (!ParseHex(hex, colour)) Fail(file, lineNo, "a colour must be written RRGGBB");
            if (indexOf.count(key[0])) Fail(file, lineNo, "character declared twice");
            if (!declared.insert(colour).second) Fail(file, lineNo, "colour declared twice");
            if (indexOf.empty() && colour != mosgrid::kWhite)
                Fail(file, lineNo, "the first colour must be white (FFFFFF), the background");
            if (indexOf.size() == 16) Fail(file, lineNo, "more than 16 colours");
            indexOf[key[0]] = std::uint8_t(src.picture.palette.size());
            src.picture.palette.push_back(colour);
        } else if (t == "picture:") {
            inPicture = true;
            pictureLine = lineNo;
        } else {
            Fail(file, lineNo, "expected \"name:\", \"colour\" or \"picture:\"");
        }
    }
    if (src.name.empty()) Fail(file, 0, "no \"name:\" line");
    if (src.name != file.stem().string())
        Fail(file, 0, "the name \"" + src.name + "\" differs from the file's name");
    if (src.picture.palette.size() < 2) Fail(file, 0, "needs white and at least one colour");
    if (rows.empty()) Fail(file, 0, "no picture");
    const std::size_t width = rows[0].size();
    if (width < 1 || width > 50 || rows.size() > 50) Fail(file, pictureLine, "the picture must be 1..50 by 1..50");
    std::vector<bool> used(src.picture.palette.size(), false);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int at = pictureLine + 1 + int(r);
        if (rows[r].size() != width) Fail(file, at, "row width differs from the first row");
        for (char ch : rows[r]) {
            auto it = indexOf.find(ch);
            if (it == indexOf.end()) Fail(file, at, std::string("undeclared character '") + ch + "'");
            used[it->second] = true;
            src.picture.indices.push_back(it->second);
        }
    }
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (!used[i]) Fail(file, 0, "palette entry " + std::to_string(i) + " is never used");
    }
    src.picture.width = int(width);
    src.picture.height = int(rows.size());
    return src;
}

// What the game's solver makes of a puzzle: set up from the picture as the game would read it,
// every cell blank.
mosgrid::SolveResult Solve(const std::filesystem::path& file, const Source& src) {
    const std::vector<std::uint8_t> bytes = mosgrid::EncodeBmp4(src.picture);
    auto model = std::make_unique<mosgrid::BoardModel>();
    if (model->picture.LoadFromBytes(bytes.data(), bytes.size()) != 1 || !model->SetupFromLoadedPicture(u"pack"))
        Fail(file, 0, "the picture cannot be read back");
    model->Reset();
    mosgrid::CountingProgress progress;
    return mosgrid::SolvePuzzle(*model, progress);
}

// The pack's table in Markdown: one row a puzzle, in the order given.
int WriteTable(const std::filesystem::path& target, int argc, char** argv) {
    std::ostringstream out;
    out << "# The bundled puzzles\n\n"
           "Each `src/NAME.txt` is one puzzle: its name, its palette (white first, the background)\n"
           "and its picture, one character a pixel. The build turns them into `NAME.bmp` in the program\n"
           "folder with `tools/mosgrid_puzzles`. The larger pictures are drawn by `gen/shapes.py` and\n"
           "`gen/colour.py`. Every puzzle has exactly one solution; \"lines alone\" says that reasoning on\n"
           "one row or column at a time finds it without any guessing.\n\n"
           "The harder set, made by `gen/harder.py` with `mosgrid-import` from public-domain icons of\n"
           "Debian's tango-icon-theme and from generated patterns (each source notes its origin), needs\n"
           "more: \"look-ahead\" (trying a cell's colours to see which lead nowhere) or \"trial\" (guesses\n"
           "with trial and error). The level is the solver's, as `mosgrid-import`'s difficulty rates it.\n\n"
           "This table is generated: `cmake --build build --target mosgrid_puzzle_table`.\n\n"
           "| Puzzle | Size | Colours | Lines alone | Level |\n|---|---|---|---|---|\n";
    int failures = 0, count = 0, twoColour = 0;
    for (int i = 3; i < argc; ++i) {
        try {
            Source src = ReadSource(argv[i]);
            const mosgrid::SolveResult solved = Solve(argv[i], src);
            if (solved.unsupported) Fail(argv[i], 0, "too many colours for the solver");
            if (solved.count != 1 || solved.storeFull) Fail(argv[i], 0, "has more than one solution");
            ++count;
            if (src.picture.palette.size() == 2) ++twoColour;
            out << "| " << src.name << " | " << src.picture.width << " × " << src.picture.height << " | "
                << src.picture.palette.size() << " | " << (solved.linesAlone ? "yes" : "no") << " | "
                << mosgrid::DifficultyWord(mosgrid::RateDifficulty(mosgrid::PuzzleFromPicture(src.picture))) << " |\n";
        } catch (const SourceError& e) {
            std::cerr << e.message << '\n';
            ++failures;
        }
    }
    out << "\n" << count << " puzzles: " << twoColour << " of two colours, " << count - twoColour
        << " of three or more. Colours count white.\n";
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush()) {
        std::cerr << target.string() << ": cannot be written\n";
        return 1;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: mosgrid_puzzles OUTPUT_FOLDER SOURCE.txt...\n";
        return 2;
    }
    if (std::string(argv[1]) == "--table") {
        if (argc < 4) return 2;
        return WriteTable(argv[2], argc, argv);
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    int failures = 0;
    std::set<std::string> names;
    for (int i = 2; i < argc; ++i) {
        try {
            Source src = ReadSource(argv[i]);
            if (!names.insert(src.name).second) Fail(argv[i], 0, "a second puzzle of that name");
            std::filesystem::path target = out / (src.name + ".bmp");
            if (!mosgrid::WriteBmp4(target, src.picture)) Fail(target, 0, "cannot be written");
        } catch (const SourceError& e) {
            std::cerr << e.message << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
