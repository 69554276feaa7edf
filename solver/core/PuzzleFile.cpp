// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/PuzzleFile.h"

#include <bit>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string_view>

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

// Length of the well-formed UTF-8 sequence at the start of `s` (1 to 4), 0 when there is none:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view s) {
    const auto byte = [&s](std::size_t i) { return i < s.size() ? (unsigned char)s[i] : 0u; };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

// A JSON string: quotes, backslashes and control characters escaped, well-formed UTF-8 copied,
// and every other byte (a file name need not be UTF-8) written as \ufffd, the replacement
// character, so that the line is valid JSON whatever the name holds.
std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = (unsigned char)s[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            ++i;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
            ++i;
        } else if (c < 0x80) {
            out += char(c);
            ++i;
        } else if (const std::size_t n = Utf8SequenceLength(std::string_view(s).substr(i)); n > 0) {
            out.append(s, i, n);
            i += n;
        } else {
            out += "\\ufffd";
            ++i;
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
            error = "cannot be read as a puzzle picture (uncompressed 4-bit or 8-bit BMP of at most " + std::to_string(kMaxSide) +
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
    if (ReadNonText(bytes, out.puzzle, error)) return true;
    // Clue text holds no NUL byte: bytes that do are no clue file whatever the reader stumbled
    // on first, and most likely a picture the reader does not know.
    if (bytes.find('\0') != std::string::npos) error = "is neither a BMP picture nor a .non clue file";
    return false;
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
