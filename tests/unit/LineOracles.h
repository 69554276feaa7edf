#pragma once
// Slow reference line solvers for the tests: they enumerate placements one by one, so they are
// easy to trust and exponential in the worst case.
#include <algorithm>
#include <array>
#include <vector>

#include "board/core/BoardTypes.h"
#include "solver/core/LineSolver.h"

namespace mosgrid::test {

// The line pass of the game's solver written out literally: a sentinel run of palette entry 0
// at position -2, position -1 read as empty, runs placed one after the other by PlaceRun with
// marks written only for complete placements. Palette entry 0 is the fill colour and every
// clue uses index 0, which is how the enumeration is exact for a picture of white and one
// colour. `budget` bounds the PlaceRun calls; exhausted() tells when it ran out.
class EnumeratedLine {
public:
    EnumeratedLine(COLORREF fill, long budget) : fill_(fill), budget_(budget) {}

    // False when no placement is valid. Otherwise Decided(p) tells what the pass leaves blank
    // cell p allowing: 1 empty only, 2 filled only, 3 both.
    bool Solve(const CellRecord* cells, int length, const std::vector<int>& clues) {
        cells_ = cells;
        length_ = length;
        runs_ = {1};  // the sentinel
        runs_.insert(runs_.end(), clues.begin(), clues.end());
        runColour_.fill(kWhite);
        canBeEmpty_.fill(0);
        calls_ = 0;
        return PlaceRun(0, -2);
    }
    bool exhausted() const { return calls_ > budget_; }
    ValueMask Decided(int p) const {
        const bool filled = runColour_[std::size_t(p)] != kWhite, empty = canBeEmpty_[std::size_t(p)];
        return filled == empty ? 3 : filled ? 2 : 1;
    }

private:
    bool ReadsDecidedWith(int p, COLORREF colour) const {
        if (p == -2) return colour == fill_;
        if (p == -1) return colour == kWhite;
        return cells_[p].state == 0 && cells_[p].colour == colour;
    }
    void Mark(int s, int len, int emptyTo) {
        for (int p = std::max(s, 0); p < s + len; ++p) runColour_[std::size_t(p)] = fill_;
        for (int p = std::max(s + len, 0); p < emptyTo; ++p) canBeEmpty_[std::size_t(p)] = 1;
    }

    bool PlaceRun(std::size_t d, int s) {
        if (++calls_ > budget_) return false;
        const int len = runs_[d];
        for (int p = s; p < s + len; ++p) {
            if (p == -1 || ReadsDecidedWith(p, kWhite)) return false;
        }
        if (d + 1 < runs_.size()) {
            const int sep = 1;  // every run, the sentinel too, has index 0
            const int limit = length_ - runs_[d + 1] + 1;
            int t = s + len + sep;
            if (t >= limit) return false;
            bool found = false;
            for (;;) {
                if (ReadsDecidedWith(t - sep, fill_)) break;
                if (PlaceRun(d + 1, t)) {
                    found = true;
                    Mark(s, len, t);
                }
                if (++t >= limit) break;
            }
            return found;
        }
        for (int p = s + len; p < length_; ++p) {
            if (ReadsDecidedWith(p, fill_)) return false;
        }
        Mark(s, len, length_);
        return true;
    }

    COLORREF fill_;
    long budget_;
    const CellRecord* cells_ = nullptr;
    int length_ = 0;
    std::vector<int> runs_;
    long calls_ = 0;
    std::array<COLORREF, kMaxSide> runColour_{};
    std::array<int, kMaxSide> canBeEmpty_{};
};

// Every placement of the runs, one by one, for lines of several colours: the union of the
// values that the valid placements give each cell, or false when none is valid. Same rules as
// LineSolver, stated directly.
inline bool PlacementUnion(const std::vector<ValueMask>& cells, const std::vector<LineRun>& runs,
                           std::vector<ValueMask>& possible) {
    const int L = int(cells.size());
    std::vector<ValueMask> line(cells.size());
    possible.assign(cells.size(), 0);
    bool found = false;
    // Runs before j are placed and end before `from`; cells from `from` on are not yet set.
    auto place = [&](auto& self, std::size_t j, int from) -> void {
        if (j == runs.size()) {
            std::fill(line.begin() + from, line.end(), kEmptyBit);
            for (int p = 0; p < L; ++p) if (!(cells[std::size_t(p)] & line[std::size_t(p)])) return;
            found = true;
            for (int p = 0; p < L; ++p) possible[std::size_t(p)] |= line[std::size_t(p)];
            return;
        }
        const LineRun& run = runs[j];
        const int earliest = j > 0 && runs[j - 1].colourIndex == run.colourIndex ? from + 1 : from;
        for (int s = earliest; s + run.length <= L; ++s) {
            std::fill(line.begin() + from, line.begin() + s, kEmptyBit);
            std::fill(line.begin() + s, line.begin() + s + run.length, ValueMask(1) << run.value);
            self(self, j + 1, s + run.length);
        }
    };
    place(place, 0, 0);
    return found;
}

}  // namespace mosgrid::test
