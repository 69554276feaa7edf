#include "solver/core/PuzzleFile.h"

#include <bit>
#include <cstdio>
#include <ctime>
#include <memory>

#include "board/core/BoardModel.h"
#include "solver/core/BoardPuzzle.h"
#include "solver/core/NonFile.h"

namespace mosgrid {

namespace {

class Collector final : public SearchObserver {
public:
    Collector(long max, bool keep, CountResult& result) : max_(max), keep_(keep), result_(result) {}
    bool SolutionFound(const std::vector<ValueMask>& cells) override {
        ++result_.solutions;
        if (keep_) result_.grids.push_back(cells);
        return result_.solutions < max_;
    }

private:
    long max_;
    bool keep_;
    CountResult& result_;
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

}  // namespace

bool ReadPuzzleFile(const std::string& bytes, PuzzleFile& out, std::string& error) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        auto model = std::make_unique<BoardModel>();
        if (model->picture.LoadFromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) != 1 ||
            !model->SetupFromLoadedPicture(u"puzzle")) {
            error = "cannot be read as a puzzle picture (4-bit or 8-bit BMP of at most " + std::to_string(kMaxSide) +
                    " x " + std::to_string(kMaxSide) + " pixels)";
            return false;
        }
        const BoardPuzzle board = PuzzleFromBoard(*model);
        if (!board.usable) {
            error = "more colours than the solver handles (" + std::to_string(kMaxValues - 1) + ")";
            return false;
        }
        out.puzzle = board.puzzle;
        out.colours = model->picture.colourCount;
        return true;
    }
    out.colours = 2;
    return ReadNonText(bytes, out.puzzle, error);
}

CountResult CountSolutions(const Puzzle& puzzle, long max, bool keepGrids, SolutionSearchOptions options) {
    CountResult result;
    const std::clock_t start = std::clock();
    Collector collector(max, keepGrids, result);
    options.countOnly = !keepGrids;
    const SolutionSearchResult found = FindSolutions(puzzle, {}, max, collector, options);
    result.ms = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
    result.capped = result.solutions >= max;
    result.lineSolvable = found.solvedByLines;
    result.guesses = found.guesses;
    return result;
}

std::string JsonLine(const std::string& file, const PuzzleFile& puzzle, const CountResult& result) {
    char numbers[256];
    std::snprintf(numbers, sizeof numbers,
                  "\"width\": %d, \"height\": %d, \"colours\": %d, \"solutions\": %ld, \"capped\": %s, "
                  "\"line_solvable\": %s, \"ms\": %.3f}",
                  puzzle.puzzle.width, puzzle.puzzle.height, puzzle.colours, result.solutions,
                  result.capped ? "true" : "false", result.lineSolvable ? "true" : "false", result.ms);
    return "{\"file\": " + JsonString(file) + ", " + numbers;
}

std::string GridText(const Puzzle& puzzle, const std::vector<ValueMask>& cells) {
    std::string text;
    for (int r = 0; r < puzzle.height; ++r) {
        for (int c = 0; c < puzzle.width; ++c) {
            const int v = std::countr_zero(cells[std::size_t(r * puzzle.width + c)]);
            text += v == 0 ? '.' : v == 1 ? '#' : char('a' + v - 1);
        }
        text += '\n';
    }
    return text;
}

}  // namespace mosgrid
