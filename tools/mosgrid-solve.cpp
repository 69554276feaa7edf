// mosgrid-solve [--max N] [--json] [--print] FILE...
//
// Counts the solutions of puzzles: pictures (BMP, 4-bit or 8-bit, clues derived as the game
// derives them, colour pictures too) and two-colour clue files in the ".non" text layout (up to
// 100 x 100). The search stops once N solutions are found (default 100; 2 settles uniqueness).
// For each file one line: size, colours, solutions, whether the count was capped, whether line
// passes alone solve it and the solver's time; --json writes the same as one JSON object a
// line. --print writes the solutions found after the file's line, in lexicographic order, as
// rows of '.' (empty) and '#' (the first colour; further colours are 'b', 'c', ...), with one
// blank line between grids.
// Exit code: 0 when every file was read, 1 when some file could not be read or parsed (a
// one-line error on standard error for each), 2 for a wrong command line.
#include <bit>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/Text.h"
#include "solver/core/BoardPuzzle.h"
#include "solver/core/GridSearch.h"
#include "solver/core/NonFile.h"

namespace {

using mosgrid::ValueMask;

struct Options {
    long max = 100;
    bool json = false;
    bool print = false;
};

// Collects up to `max` solutions (only their count unless they are to be printed).
class Collector final : public mosgrid::SearchObserver {
public:
    Collector(long max, bool keep) : max_(max), keep_(keep) {}
    bool SolutionFound(const std::vector<ValueMask>& cells) override {
        ++count;
        if (keep_) grids.push_back(cells);
        return count < max_;
    }
    long count = 0;
    std::vector<std::vector<ValueMask>> grids;

private:
    long max_;
    bool keep_;
};

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

// Reads the file as a picture or a clue file. False (with the reason) when it is neither.
bool Load(const char* file, mosgrid::Puzzle& puzzle, int& colours, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        auto model = std::make_unique<mosgrid::BoardModel>();
        if (model->picture.LoadFromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) != 1 ||
            !model->SetupFromLoadedPicture(u"puzzle")) {
            error = "cannot be read as a puzzle picture (4-bit or 8-bit BMP of at most " +
                    std::to_string(mosgrid::kMaxSide) + " x " + std::to_string(mosgrid::kMaxSide) + " pixels)";
            return false;
        }
        model->Reset();
        const mosgrid::BoardPuzzle board = mosgrid::PuzzleFromBoard(*model);
        if (!board.usable) {
            error = "more colours than the solver handles (" + std::to_string(mosgrid::kMaxValues - 1) + ")";
            return false;
        }
        puzzle = board.puzzle;
        colours = model->picture.colourCount;
        return true;
    }
    colours = 2;
    return mosgrid::ReadNonText(bytes, puzzle, error);
}

void PrintGrid(const mosgrid::Puzzle& puzzle, const std::vector<ValueMask>& cells) {
    std::string row;
    for (int r = 0; r < puzzle.height; ++r) {
        row.clear();
        for (int c = 0; c < puzzle.width; ++c) {
            const int v = std::countr_zero(cells[std::size_t(r * puzzle.width + c)]);
            row += v == 0 ? '.' : v == 1 ? '#' : char('a' + v - 1);
        }
        std::printf("%s\n", row.c_str());
    }
}

bool SolveFile(const char* file, const Options& options) {
    mosgrid::Puzzle puzzle;
    int colours = 0;
    std::string error;
    if (!Load(file, puzzle, colours, error)) {
        std::fprintf(stderr, "%s: %s\n", file, error.c_str());
        return false;
    }
    const std::clock_t start = std::clock();
    mosgrid::GridSearch::Options searchOptions;
    if (const char* o = std::getenv("MOSGRID_OPTS")) {
        searchOptions.probing = o[0] == '1';
        searchOptions.localProbing = o[1] == '1';
    }
    mosgrid::GridSearch search(puzzle, searchOptions);
    Collector collector(options.max, options.print);
    search.Run(collector);
    const double ms = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
    const bool capped = collector.count >= options.max;
    if (options.json) {
        std::printf("{\"file\": %s, \"width\": %d, \"height\": %d, \"colours\": %d, \"solutions\": %ld, "
                    "\"capped\": %s, \"line_solvable\": %s, \"ms\": %.3f}\n",
                    JsonString(file).c_str(), puzzle.width, puzzle.height, colours, collector.count,
                    capped ? "true" : "false", search.SolvedByLines() ? "true" : "false", ms);
    } else {
        std::printf("%s: %d x %d, %d colours, solutions %ld%s, lines alone %s, %ld guesses, %.3f ms\n", file,
                    puzzle.width, puzzle.height, colours, collector.count, capped ? "+" : "",
                    search.SolvedByLines() ? "yes" : "no", search.Guesses(), ms);
        if (std::getenv("MOSGRID_STATS")) std::printf("  probes %ld, line passes %ld\n", search.Probes(), search.LinePasses());
    }
    if (options.print) {
        for (std::size_t k = 0; k < collector.grids.size(); ++k) {
            if (k > 0) std::printf("\n");
            PrintGrid(puzzle, collector.grids[k]);
        }
    }
    std::fflush(stdout);
    return true;
}

int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--max N] [--json] [--print] FILE...\n", program);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::vector<const char*> files;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnd || arg.empty() || arg[0] != '-') {
            files.push_back(argv[i]);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--print") {
            options.print = true;
        } else if (arg == "--max" && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || n < 1) return Usage(argv[0]);
            options.max = n;
        } else {
            return Usage(argv[0]);
        }
    }
    if (files.empty()) return Usage(argv[0]);
    bool allRead = true;
    for (const char* file : files) allRead = SolveFile(file, options) && allRead;
    return allRead ? 0 : 1;
}
