// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "solver/core/LineSolver.h"
#include "solver/core/Puzzle.h"

namespace mosgrid {

// What the search tells about its progress along the branch it explores. Tentative work
// (probing a value of a cell to see where it leads) is never reported.
class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    // The values `cell` allows changed on the branch being explored: narrowed by a deduction or
    // a guess, or put back when a branch is undone.
    virtual void CellChanged(int /*cell*/, ValueMask /*values*/) {}
    // A deduction (not a guess) left a cell with one value.
    virtual void CellDecided() {}
    // One line pass on the branch being explored has ended.
    virtual void LinePassed() {}
    // A guess opens at a cell; before each value after the first the branch is undone
    // (BranchUndone); GuessClosed when its last value has been explored.
    virtual void GuessOpened() {}
    virtual void BranchUndone() {}
    virtual void GuessClosed() {}
    // Every cell holds one value. False ends the search (enough solutions).
    virtual bool SolutionFound(const std::vector<ValueMask>& cells) = 0;
    // Polled before every line pass (those made while probing too), before every probe and
    // before every guess, so counting the polls bounds the work a search may do.
    virtual bool StopRequested() { return false; }
};

// Lets a search hand subtrees to other searches: asked at every guess whether anyone is
// waiting for work; when so, the values of the guess after the first are given away, each as
// the cells of its subtree, and the search explores the first value alone.
class SearchSplitter {
public:
    virtual ~SearchSplitter() = default;
    virtual bool Hungry() = 0;
    virtual void Give(std::vector<ValueMask> cells) = 0;
};

// Finds the solutions of a puzzle depth-first. In lexicographic order (the default) the guess is
// always the first undecided cell in row-major order and its values are tried in increasing
// order (empty first). In free order the guess is the undecided cell whose probes decided most
// (the largest product of (cells its value decided + 1) over its values), and the value that
// decided fewer cells is tried first: the same solutions, found in another order, usually much
// sooner. Between guesses it deduces what it can, which narrows the tree but never changes
// which solutions are found or their order:
// - line passes from a work queue of the lines whose cells changed, ending a branch at the
//   first line that has no valid placement;
// - probing: each value of an undecided cell is tried and propagated; a value that leads to a
//   contradiction is removed, and what every surviving value implies is kept;
// - a table of line results keyed by the line and the values its cells allow.
// In lexicographic order it may also skip subtrees it knows to be empty (Options::deadPrefixes,
// Options::judgeSubtrees).
// Changes are recorded on a trail, so a branch is undone cell by cell.
class GridSearch {
public:
    struct Options {
        bool probing = true;
        // Remember line results by the line's state (probing meets the same states over and
        // over).
        bool cache = true;
        // Probe again only the cells whose row or column changed since their last probe.
        bool localProbing = true;
        // Branch where the probes say a choice constrains most (see above), not in order.
        bool freeOrder = false;
        // In free order, try first the value that decided more cells (the fewer first else).
        bool moreFirst = false;
        // In lexicographic order, remember the decided beginnings (see PrefixKey) whose
        // subtrees held no solution, and skip a subtree that begins the same way.
        bool deadPrefixes = true;
        // In lexicographic order, before exploring a subtree, search it in free order for one
        // solution (free order proves a subtree empty far sooner than the order does, which goes
        // through it cell by cell), and skip it when there is none. A known solution that
        // begins as the subtree does (see AddKnown) settles it without a search.
        bool judgeSubtrees = false;
        // Judging starts after this many guesses without a solution (where the order finds
        // solutions readily, judging costs more than it saves) and goes on until the next one.
        long judgeAfter = 64;
    };
    explicit GridSearch(const Puzzle& puzzle) : GridSearch(puzzle, Options{}) {}
    GridSearch(const Puzzle& puzzle, Options options);

    // The values each cell allows at the start (default: all). Must have CellCount() entries.
    void SetStart(const std::vector<ValueMask>& cells);
    // Searches until the tree is exhausted, the observer has enough solutions or asks to stop.
    // May be called again after SetStart: the line table is kept, the counters go on.
    // With `keepRoot`, the cells and probe results the first deduction reached are kept, and a
    // later run with `keepRoot` from the same start takes them up instead of deducing them again
    // (the observer sees the cells change as if deduced). Runs without it leave them alone.
    void Run(SearchObserver& observer, bool keepRoot = false);
    void SetSplitter(SearchSplitter* splitter) { splitter_ = splitter; }
    // Solutions found before (by a search in free order), for judging subtrees. Those the
    // judging finds are added, up to kKnown.
    void AddKnown(std::set<std::vector<ValueMask>> solutions) { known_.merge(solutions); }
    // Which value of a guess free order tries first (see Options::moreFirst).
    void SetMoreFirst(bool moreFirst) { options_.moreFirst = moreFirst; }

    bool Stopped() const { return stopped_; }
    // The line passes before any probe or guess decided every cell.
    bool SolvedByLines() const { return solvedByLines_; }
    long Guesses() const { return guesses_; }
    long LinePasses() const { return linePasses_; }
    long Probes() const { return probes_; }
    const std::vector<ValueMask>& Cells() const { return cells_; }

private:
    struct TrailEntry {
        int cell;
        ValueMask old;
    };

    bool Node(int from);
    int PickFree(int values[kMaxValues], int& count) const;
    bool Deduce();
    bool Propagate();
    bool SolveLine(int line);
    bool Probe();
    void Set(int cell, ValueMask values, bool guess);
    void Undo(std::size_t mark);
    void Touch(int cell);
    void Enqueue(int line);
    void ClearQueue();
    bool PollStop();

    const Puzzle& puzzle_;
    Options options_;
    int width_;
    int height_;
    bool valid_;
    SearchObserver* observer_ = nullptr;
    SearchSplitter* splitter_ = nullptr;
    std::vector<ValueMask> cells_;
    std::vector<TrailEntry> trail_;
    std::vector<int> queue_;  // ring of line numbers: rows 0..height-1, then the columns
    std::vector<char> queued_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    bool probing_ = false;
    bool stopped_ = false;
    bool solvedByLines_ = false;
    // The deduction at the start of a run with keepRoot: the start, the cells and the probes'
    // gains it reached, whether lines alone decided the puzzle.
    struct Root {
        bool kept = false;
        bool solvedByLines = false;
        std::vector<ValueMask> start;
        std::vector<ValueMask> cells;
        std::vector<int> gain;
    } root_;
    bool atRoot_ = false;
    // In lexicographic order a guess is made on the first undecided cell, so once it is made
    // every cell up to it is decided, and the solutions below are the ways to finish those
    // cells. They depend only on where each line stands after them: how many runs have begun,
    // the colour and the length of the run the line is in. The columns and the cell say it all
    // (the row's cells so far are the columns' last ones), so they are the key. Keys whose
    // subtrees were searched through without a solution (a contradiction at once among them)
    // are kept (up to kDeadPrefixes, then the set starts again).
    std::string PrefixKey(int cell) const;
    void RememberDead(std::string key);
    static constexpr std::size_t kDeadPrefixes = 1 << 18;
    std::unordered_set<std::string> deadPrefixes_;
    long solutions_ = 0;
    // Judging: whether the subtree at the current cells (every cell before `first` decided)
    // holds a solution; a solution found on the way becomes known.
    bool HoldsSolution(int first);
    std::set<std::vector<ValueMask>> known_;
    bool judging_ = false;
    bool judgeFound_ = false;
    static constexpr std::size_t kKnown = 1 << 10;
    long guessesAtSolution_ = 0;
    bool Found();
    // What the probes of one cell agreed on: the union of each cell's values over the values
    // of the probed cell that survived, for the cells every surviving probe narrowed.
    std::vector<ValueMask> agreed_;
    std::vector<int> agreedCount_;
    std::vector<std::uint32_t> seen_;
    std::vector<int> touched_;
    std::uint32_t serial_ = 0;
    // Changes on the branch being explored are counted; each line keeps the count at its last
    // change, each cell the count when it was last probed.
    std::uint64_t epoch_ = 1;
    std::vector<std::uint64_t> lineChanged_;
    std::vector<std::uint64_t> probed_;
    // Cells each value of a cell decided when it was last probed, valueCount entries a cell.
    std::vector<int> gain_;
    // Every line is kept as bit sets, bit p for the line's cell p: for each value v the cells
    // that allow it, two words (rows first, then the columns; 2 x valueCount words a line).
    int valueCount_ = 2;
    std::size_t lineStride_ = 4;
    std::vector<std::uint64_t> lineWords_;
    // The values of each line's runs, and empty.
    std::vector<ValueMask> lineValues_;
    // Flips the bits of the values in `changed` for the cell in its row and its column.
    void Mark(int cell, ValueMask changed);
    template <int kValues>
    bool SolveLineAs(int line);
    // Narrows a line's bit sets (one per value) to what its valid placements give; false when
    // it has none. Through a table of line results by the line's bit sets: probing meets the
    // same states over and over.
    template <int kValues>
    bool SolveValues(int line, int length, LineBits* values);
    // Direct-mapped entries of 1 + 2 x valueCount bit sets (the line and whether it had a
    // placement, the line before and after), cacheMask_ + 1 entries (cacheSize_ bit sets)
    // allocated at the first probe.
    struct ReleaseTable {
        std::size_t bytes;  // no default member initialiser: g++ would not default-construct it here
        void operator()(LineBits* bits) const;
    };
    static std::unique_ptr<LineBits[], ReleaseTable> AllocateTable(std::size_t count);
    std::unique_ptr<LineBits[], ReleaseTable> cache_;
    std::size_t cacheSize_ = 0;
    std::size_t cacheMask_ = 0;
    static std::uint64_t LineHash(int line, const LineBits* values, int valueCount);
    long guesses_ = 0;
    long linePasses_ = 0;
    long probes_ = 0;
};

}  // namespace mosgrid
