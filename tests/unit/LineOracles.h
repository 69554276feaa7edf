#pragma once
// Slow reference line solvers for the tests: they enumerate placements one by one, so they are
// easy to trust and exponential in the worst case.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "board/core/BoardTypes.h"
#include "solver/core/LineSolver.h"

namespace mosgrid::test {

// The line pass of the game's solver written out literally: a sentinel run of palette entry 0
// at position -2, position -1 read as empty, runs placed one after the other by PlaceRun with
// marks written only for complete placements. Palette entry 0 is the fill colour and every
// clue uses index 0, which is how the enumeration is exact for a picture of white and one
// colour. `budget` bounds the PlaceRun calls; `exhausted` tells when it ran out.
class EnumeratedLine {
public:
    enum class Outcome { Blank, Empty, Filled };

    EnumeratedLine(COLORREF fill, long budget) : fill_(fill), budget_(budget) {}

    // False when no placement is valid. Otherwise outcome(p) tells what the pass decides.
    bool Solve(const CellRecord* cells, int length, const int* clues, int clueCount) {
        cells_ = cells;
        length_ = length;
        runCount_ = clueCount + 1;
        runs_[0] = 1;  // the sentinel
        for (int j = 0; j < clueCount; ++j) runs_[std::size_t(j + 1)] = clues[j];
        for (int p = 0; p < length; ++p) {
            runColour_[std::size_t(p)] = kWhite;
            canBeEmpty_[std::size_t(p)] = 0;
        }
        calls_ = 0;
        return PlaceRun(0, -2);
    }
    bool exhausted() const { return calls_ > budget_; }
    Outcome outcome(int p) const {
        if (cells_[p].state != 1) return Outcome::Blank;
        if (runColour_[std::size_t(p)] == kWhite && canBeEmpty_[std::size_t(p)]) return Outcome::Empty;
        if (runColour_[std::size_t(p)] != kWhite && !canBeEmpty_[std::size_t(p)]) return Outcome::Filled;
        return Outcome::Blank;
    }

private:
    bool ReadsDecidedWith(int p, COLORREF colour) const {
        if (p == -2) return colour == fill_;
        if (p == -1) return colour == kWhite;
        return cells_[p].state == 0 && cells_[p].colour == colour;
    }

    bool PlaceRun(int d, int s) {
        if (++calls_ > budget_) return false;
        const int L = length_;
        const int len = runs_[std::size_t(d)];
        const int last = runCount_ - 1;
        for (int p = s; p < s + len; ++p) {
            if (p == -1 || ReadsDecidedWith(p, kWhite)) return false;
        }
        if (d < last) {
            const int sep = 1;  // every run, the sentinel too, has index 0
            const int limit = L - runs_[std::size_t(d + 1)] + 1;
            int t = s + len + sep;
            if (t >= limit) return false;
            bool found = false;
            for (;;) {
                const int g = t - sep;
                if (ReadsDecidedWith(g, fill_)) break;
                if (PlaceRun(d + 1, t)) {
                    found = true;
                    for (int p = std::max(s, 0); p < s + len; ++p) runColour_[std::size_t(p)] = fill_;
                    for (int p = std::max(s + len, 0); p < t; ++p) canBeEmpty_[std::size_t(p)] = 1;
                }
                ++t;
                if (t >= limit) break;
            }
            return found;
        }
        for (int p = s + len; p < L; ++p) {
            if (ReadsDecidedWith(p, fill_)) return false;
        }
        for (int p = std::max(s, 0); p < s + len; ++p) runColour_[std::size_t(p)] = fill_;
        for (int p = std::max(s + len, 0); p < L; ++p) canBeEmpty_[std::size_t(p)] = 1;
        return true;
    }

    COLORREF fill_;
    long budget_;
    const CellRecord* cells_ = nullptr;
    int length_ = 0;
    std::array<int, kMaxSlots + 1> runs_{};
    int runCount_ = 0;
    long calls_ = 0;
    std::array<COLORREF, kMaxSide> runColour_{};
    std::array<int, kMaxSide> canBeEmpty_{};
};

// Every placement of the runs, one by one, for lines of several colours: the union of the
// values that the valid placements give each cell. Same rules as LineSolver, stated directly.
class PlacementUnion {
public:
    PlacementUnion(std::vector<ValueMask> cells, std::vector<LineRun> runs)
        : cells_(std::move(cells)), runs_(std::move(runs)), line_(cells_.size(), kEmptyBit), possible_(cells_.size(), 0) {}

    bool Solve() {
        found_ = false;
        Place(0, 0);
        return found_;
    }
    const std::vector<ValueMask>& possible() const { return possible_; }

private:
    // Runs before j are placed and end before `from`; cells from `from` on are not yet set.
    void Place(std::size_t j, int from) {
        const int L = int(cells_.size());
        if (j == runs_.size()) {
            for (int p = from; p < L; ++p) line_[std::size_t(p)] = kEmptyBit;
            for (int p = 0; p < L; ++p) {
                if (!(cells_[std::size_t(p)] & line_[std::size_t(p)])) return;
            }
            found_ = true;
            for (int p = 0; p < L; ++p) possible_[std::size_t(p)] |= line_[std::size_t(p)];
            return;
        }
        const LineRun& run = runs_[j];
        const int earliest = j > 0 && runs_[j - 1].colourIndex == run.colourIndex ? from + 1 : from;
        for (int s = earliest; s + run.length <= L; ++s) {
            for (int p = from; p < s; ++p) line_[std::size_t(p)] = kEmptyBit;
            for (int p = s; p < s + run.length; ++p) line_[std::size_t(p)] = ValueMask(1) << run.value;
            Place(j + 1, s + run.length);
        }
    }

    std::vector<ValueMask> cells_;
    std::vector<LineRun> runs_;
    std::vector<ValueMask> line_;
    std::vector<ValueMask> possible_;
    bool found_ = false;
};

}  // namespace mosgrid::test
