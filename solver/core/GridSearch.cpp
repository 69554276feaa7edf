// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/GridSearch.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace mosgrid {

GridSearch::GridSearch(const Puzzle& puzzle, Options options)
    : puzzle_(puzzle), options_(options), width_(puzzle.width), height_(puzzle.height), valid_(puzzle.Valid()) {
    if (!valid_) return;
    const std::size_t cells = std::size_t(puzzle.CellCount());
    cells_.assign(cells, puzzle.AllValues());
    const std::size_t lines = std::size_t(width_ + height_);
    queue_.assign(lines, 0);
    queued_.assign(lines, 0);
    agreed_.assign(cells, 0);
    agreedCount_.assign(cells, 0);
    seen_.assign(cells, 0);
    lineChanged_.assign(lines, 1);
    probed_.assign(cells, 0);
    gain_.assign(cells * std::size_t(puzzle.valueCount), 0);
    // Every line as bit sets, one pair of words for each value.
    valueCount_ = puzzle.valueCount;
    lineStride_ = std::size_t(2 * valueCount_);
    lineWords_.assign(lines * lineStride_, 0);
    for (int cell = 0; cell < int(cells); ++cell) Mark(cell, cells_[std::size_t(cell)]);
    lineValues_.assign(lines, kEmptyBit);
    for (int line = 0; line < int(lines); ++line) {
        const auto& runs = line < height_ ? puzzle.rows[std::size_t(line)] : puzzle.columns[std::size_t(line - height_)];
        for (const LineRun& run : runs) lineValues_[std::size_t(line)] |= ValueMask(1) << run.value;
    }
    // Small puzzles gain nothing from the table and are set up by the thousand in tests. A
    // table of two-colour lines takes at most 2.5 MB; one of more colours has fewer entries
    // within the same room.
    if (options_.cache && cells >= 100) {
        std::size_t entries = std::min<std::size_t>(std::bit_ceil(lines * 128), 1 << 15);
        const std::size_t entrySize = 1 + 2 * std::size_t(valueCount_);
        while (entries > 1024 && entries * entrySize > (std::size_t(5) << 15)) entries /= 2;
        cacheSize_ = entries * entrySize;
        cacheMask_ = entries - 1;
    }
    trail_.reserve(cells * 4);
}

// Zeroed memory straight from the system, so that a short search pays only for the pages it
// touches: hashing spreads its entries over all of them, and on 4 KB pages a search of a few
// milliseconds spent most of them in page faults. On Linux the table asks for 2 MB pages (one
// fault for the lot) where the kernel has them.
std::unique_ptr<LineBits[], GridSearch::ReleaseTable> GridSearch::AllocateTable(std::size_t count) {
    const std::size_t bytes = count * sizeof(LineBits);
#if defined(__linux__)
    constexpr std::size_t kHuge = std::size_t(2) << 20;
    const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
    void* map = mmap(nullptr, rounded + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED) throw std::bad_alloc();
    // Only the part aligned to a 2 MB page is kept.
    const auto start = reinterpret_cast<std::uintptr_t>(map);
    const std::uintptr_t aligned = (start + kHuge - 1) & ~std::uintptr_t(kHuge - 1);
    if (aligned > start) munmap(map, aligned - start);
    if (start + kHuge > aligned) munmap(reinterpret_cast<void*>(aligned + rounded), start + kHuge - aligned);
    madvise(reinterpret_cast<void*>(aligned), rounded, MADV_HUGEPAGE);
    return {reinterpret_cast<LineBits*>(aligned), ReleaseTable{rounded}};
#else
    auto* bits = static_cast<LineBits*>(std::calloc(count, sizeof(LineBits)));
    if (!bits) throw std::bad_alloc();
    return {bits, ReleaseTable{bytes}};
#endif
}

void GridSearch::ReleaseTable::operator()(LineBits* bits) const {
#if defined(__linux__)
    munmap(bits, bytes);
#else
    std::free(bits);
#endif
}

void GridSearch::SetStart(const std::vector<ValueMask>& cells) {
    if (!valid_ || cells.size() != cells_.size()) return;
    for (int cell = 0; cell < int(cells_.size()); ++cell) Mark(cell, cells_[std::size_t(cell)] ^ cells[std::size_t(cell)]);
    cells_ = cells;
}

void GridSearch::Mark(int cell, ValueMask changed) {
    const int row = cell / width_;
    const int column = cell - row * width_;
    std::uint64_t* rowWords = &lineWords_[std::size_t(row) * lineStride_ + std::size_t(column >> 6)];
    std::uint64_t* columnWords = &lineWords_[std::size_t(height_ + column) * lineStride_ + std::size_t(row >> 6)];
    const std::uint64_t inRow = std::uint64_t(1) << (column & 63);
    const std::uint64_t inColumn = std::uint64_t(1) << (row & 63);
    if (valueCount_ == 2) {
        if (changed & 1) {
            rowWords[0] ^= inRow;
            columnWords[0] ^= inColumn;
        }
        if (changed & 2) {
            rowWords[2] ^= inRow;
            columnWords[2] ^= inColumn;
        }
        return;
    }
    for (; changed != 0; changed &= changed - 1) {
        const std::size_t v = 2 * std::size_t(std::countr_zero(changed));
        rowWords[v] ^= inRow;
        columnWords[v] ^= inColumn;
    }
}

void GridSearch::Enqueue(int line) {
    if (queued_[std::size_t(line)]) return;
    queued_[std::size_t(line)] = 1;
    queue_[(head_ + size_) % queue_.size()] = line;
    ++size_;
}

void GridSearch::ClearQueue() {
    while (size_ > 0) {
        queued_[std::size_t(queue_[head_])] = 0;
        head_ = (head_ + 1) % queue_.size();
        --size_;
    }
}

bool GridSearch::PollStop() {
    if (!stopped_ && observer_->StopRequested()) stopped_ = true;
    return stopped_;
}

void GridSearch::Set(int cell, ValueMask values, bool guess) {
    trail_.push_back(TrailEntry{cell, cells_[std::size_t(cell)]});
    Mark(cell, cells_[std::size_t(cell)] ^ values);
    cells_[std::size_t(cell)] = values;
    Enqueue(cell / width_);
    Enqueue(height_ + cell % width_);
    if (!probing_) {
        Touch(cell);
        observer_->CellChanged(cell, values);
        if (!guess && OneValue(values)) observer_->CellDecided();
    }
}

void GridSearch::Touch(int cell) {
    ++epoch_;
    lineChanged_[std::size_t(cell / width_)] = epoch_;
    lineChanged_[std::size_t(height_ + cell % width_)] = epoch_;
}

void GridSearch::Undo(std::size_t mark) {
    while (trail_.size() > mark) {
        const TrailEntry e = trail_.back();
        trail_.pop_back();
        Mark(e.cell, cells_[std::size_t(e.cell)] ^ e.old);
        cells_[std::size_t(e.cell)] = e.old;
        if (!probing_) {
            Touch(e.cell);
            observer_->CellChanged(e.cell, e.old);
        }
    }
}

bool GridSearch::SolveLine(int line) {
    switch (valueCount_) {
    case 2: return SolveLineAs<2>(line);
    case 3: return SolveLineAs<3>(line);
    case 4: return SolveLineAs<4>(line);
    default: return SolveLineAs<0>(line);
    }
}

// kValues: the puzzle's value count when the compiler should know it (pictures of two to four
// colours, white included: most of them), else 0.
template <int kValues>
bool GridSearch::SolveLineAs(int line) {
    const int valueCount = kValues ? kValues : valueCount_;
    const bool row = line < height_;
    const int index = row ? line : line - height_;
    const int length = row ? width_ : height_;
    const int first = row ? index * width_ : index;
    const int step = row ? 1 : width_;
    ++linePasses_;
    const std::uint64_t* words = &lineWords_[std::size_t(line) * 2 * std::size_t(valueCount)];
    LineBits values[kMaxValues];
    LineBits was[kMaxValues];
    for (int v = 0; v < valueCount; ++v) values[v] = was[v] = LineBits(words[2 * v + 1]) << 64 | words[2 * v];
    if (!SolveValues<kValues>(line, length, values)) return false;
    LineBits changed = 0;
    for (int v = 0; v < valueCount; ++v) changed |= values[v] ^ was[v];
    if (changed != 0) {
        // The line's own result is a fixed point of the line: the cells it narrows need not
        // queue it again.
        queued_[std::size_t(line)] = 1;
        for (int half = 0; half < 2; ++half) {
            for (std::uint64_t left = std::uint64_t(changed >> (64 * half)); left != 0; left &= left - 1) {
                const int p = 64 * half + std::countr_zero(left);
                ValueMask cell = 0;
                for (int v = 0; v < valueCount; ++v) cell |= ValueMask(values[v] >> p & 1) << v;
                Set(first + p * step, cell, false);
            }
        }
        queued_[std::size_t(line)] = 0;
    }
    if (!probing_) observer_->LinePassed();
    return true;
}

template <int kValues>
bool GridSearch::SolveValues(int line, int length, LineBits* values) {
    const int valueCount = kValues ? kValues : valueCount_;
    const std::vector<LineRun>& runs =
        line < height_ ? puzzle_.rows[std::size_t(line)] : puzzle_.columns[std::size_t(line - height_)];
    const auto solve = [&]() {
        if (valueCount == 2) return LineSolver::SolveOneColour(values[0], values[1], length, runs.data(), int(runs.size()));
        if (!LineSolver::SolveColours(values, length, runs.data(), int(runs.size()))) return false;
        // Values no run of the line has are given to no cell.
        for (int v = 1; v < valueCount; ++v) {
            if (!(lineValues_[std::size_t(line)] >> v & 1)) values[v] = 0;
        }
        return true;
    };
    if (!cache_) return solve();
    const std::size_t entrySize = 1 + 2 * std::size_t(valueCount);
    LineBits* e = &cache_[(LineHash(line, values, valueCount) & cacheMask_) * entrySize];
    const LineBits tag = LineBits(line + 1);
    if ((e[0] >> 1) == tag && std::equal(values, values + valueCount, e + 1)) {
        std::copy_n(e + 1 + valueCount, valueCount, values);
        return (e[0] & 1) != 0;
    }
    std::copy_n(values, valueCount, e + 1);
    const bool ok = solve();
    e[0] = tag << 1 | LineBits(ok);
    if (ok) std::copy_n(values, valueCount, e + 1 + valueCount);
    return ok;
}

std::uint64_t GridSearch::LineHash(int line, const LineBits* values, int valueCount) {
    std::uint64_t h = std::uint64_t(line + 1) * 0x9E3779B97F4A7C15ull;
    for (int v = 0; v < valueCount; ++v) {
        h = (h ^ std::uint64_t(values[v])) * 0xFF51AFD7ED558CCDull;
        h = (h ^ std::uint64_t(values[v] >> 64)) * 0xFF51AFD7ED558CCDull;
    }
    return h ^ h >> 29;
}

bool GridSearch::Propagate() {
    while (size_ > 0) {
        const int line = queue_[head_];
        head_ = (head_ + 1) % queue_.size();
        --size_;
        queued_[std::size_t(line)] = 0;
        if (PollStop()) {
            ClearQueue();
            return false;
        }
        if (!SolveLine(line)) {
            ClearQueue();
            return false;
        }
    }
    return true;
}

bool GridSearch::Probe() {
    const int cellCount = int(cells_.size());
    for (bool changed = true; changed;) {
        changed = false;
        for (int cell = 0; cell < cellCount; ++cell) {
            const ValueMask values = cells_[std::size_t(cell)];
            if (OneValue(values)) continue;
            if (options_.localProbing) {
                const std::uint64_t lastChange = std::max(lineChanged_[std::size_t(cell / width_)],
                                                       lineChanged_[std::size_t(height_ + cell % width_)]);
                if (probed_[std::size_t(cell)] >= lastChange) continue;
                probed_[std::size_t(cell)] = epoch_;
            }
            // The table serves the probes (a puzzle that lines alone solve never gets one).
            if (!cache_ && cacheSize_ > 0) cache_ = AllocateTable(cacheSize_);
            ValueMask impossible = 0;
            int survivors = 0;
            touched_.clear();
            for (ValueMask left = values; left != 0; left &= left - 1) {
                if (PollStop()) return false;
                const ValueMask value = left & (~left + 1);
                ++probes_;
                const std::size_t mark = trail_.size();
                probing_ = true;
                Set(cell, value, false);
                const bool ok = Propagate();
                if (stopped_) {
                    Undo(mark);
                    probing_ = false;
                    return false;
                }
                if (ok) {
                    gain_[std::size_t(cell) * std::size_t(puzzle_.valueCount) + std::size_t(std::countr_zero(value))] =
                        int(trail_.size() - mark);
                    ++survivors;
                    ++serial_;
                    for (std::size_t i = mark; i < trail_.size(); ++i) {
                        const int c = trail_[i].cell;
                        if (seen_[std::size_t(c)] == serial_) continue;
                        seen_[std::size_t(c)] = serial_;
                        if (survivors == 1) {
                            agreed_[std::size_t(c)] = cells_[std::size_t(c)];
                            agreedCount_[std::size_t(c)] = 1;
                            touched_.push_back(c);
                        } else if (agreedCount_[std::size_t(c)] == survivors - 1) {
                            agreed_[std::size_t(c)] |= cells_[std::size_t(c)];
                            agreedCount_[std::size_t(c)] = survivors;
                        }
                    }
                } else {
                    impossible |= value;
                }
                Undo(mark);
                probing_ = false;
            }
            if (impossible == values) return false;
            bool narrowed = false;
            if (impossible != 0) {
                Set(cell, values & ~impossible, false);
                narrowed = true;
            } else {
                for (int c : touched_) {
                    if (agreedCount_[std::size_t(c)] != survivors) continue;
                    const ValueMask now = cells_[std::size_t(c)];
                    const ValueMask kept = now & agreed_[std::size_t(c)];
                    if (kept != now) {
                        Set(c, kept, false);
                        narrowed = true;
                    }
                }
            }
            for (int c : touched_) agreedCount_[std::size_t(c)] = 0;
            if (narrowed) {
                changed = true;
                if (!Propagate()) return false;
            }
        }
    }
    return true;
}

bool GridSearch::Deduce() {
    if (!Propagate()) return false;
    return !options_.probing || Probe();
}

// The undecided cell whose probes decided most, and its values in the order to try them: the
// value that decided fewer cells first (or more, as the options say; on a tie the lower value).
int GridSearch::PickFree(int values[kMaxValues], int& count) const {
    const int cellCount = int(cells_.size());
    const std::size_t valueCount = std::size_t(puzzle_.valueCount);
    int best = -1;
    double bestScore = -1;
    for (int cell = 0; cell < cellCount; ++cell) {
        const ValueMask allowed = cells_[std::size_t(cell)];
        if (OneValue(allowed)) continue;
        const int* gain = &gain_[std::size_t(cell) * valueCount];
        double score = 1;
        for (ValueMask left = allowed; left != 0; left &= left - 1) score *= double(gain[std::countr_zero(left)] + 1);
        if (score > bestScore) {
            bestScore = score;
            best = cell;
        }
    }
    if (best < 0) return -1;
    const int* gain = &gain_[std::size_t(best) * valueCount];
    count = 0;
    for (ValueMask left = cells_[std::size_t(best)]; left != 0; left &= left - 1) values[count++] = std::countr_zero(left);
    if (options_.moreFirst) {
        std::stable_sort(values, values + count, [gain](int a, int b) { return gain[a] > gain[b]; });
    } else {
        std::stable_sort(values, values + count, [gain](int a, int b) { return gain[a] < gain[b]; });
    }
    return best;
}

bool GridSearch::Node(int from) {
    if (!Deduce()) return !stopped_;
    if (atRoot_) {
        atRoot_ = false;
        root_ = Root{true, solvedByLines_, std::move(root_.start), cells_, gain_};
    }
    const int cellCount = int(cells_.size());
    int values[kMaxValues];
    int count = 0;
    int cell = from;
    if (options_.freeOrder && options_.probing) {
        cell = PickFree(values, count);
        if (cell < 0) return Found();
    } else {
        while (cell < cellCount && OneValue(cells_[std::size_t(cell)])) ++cell;
        if (cell >= cellCount) return Found();
        for (ValueMask left = cells_[std::size_t(cell)]; left != 0; left &= left - 1) values[count++] = std::countr_zero(left);
    }
    // Deduction carried the first undecided cell past the guessed cell's row: every row before
    // it is decided, and what follows depends on nothing but where the columns stand after them.
    std::string rowKey;
    if (!options_.freeOrder && options_.deadPrefixes && cell / width_ > from / width_) {
        rowKey = PrefixKey(cell / width_ * width_);
        if (deadPrefixes_.contains(rowKey)) return true;
    }
    // Stuck for a while without a solution: free order judges each subtree before it is entered.
    if (options_.judgeSubtrees && !options_.freeOrder && guesses_ > 0 && guesses_ - guessesAtSolution_ >= options_.judgeAfter &&
        !HoldsSolution(cell)) {
        if (!rowKey.empty()) RememberDead(std::move(rowKey));
        return !stopped_;
    }
    const long solutionsBeforeRow = solutions_;

    ++guesses_;
    // Someone waits for work: the values after the first go to it, each a subtree of its own.
    if (splitter_ && count > 1 && splitter_->Hungry()) {
        for (int k = 1; k < count; ++k) {
            std::vector<ValueMask> subtree = cells_;
            subtree[std::size_t(cell)] = ValueMask(1) << values[k];
            splitter_->Give(std::move(subtree));
        }
        count = 1;
    }
    const std::size_t mark = trail_.size();
    observer_->GuessOpened();
    bool goOn = true;
    for (int k = 0; k < count && goOn; ++k) {
        if (k > 0) {
            Undo(mark);
            observer_->BranchUndone();
        }
        if (PollStop()) {
            goOn = false;
            break;
        }
        // In order, a value whose beginning led nowhere before is not tried again.
        std::string key;
        if (!options_.freeOrder && options_.deadPrefixes) {
            const ValueMask was = cells_[std::size_t(cell)];
            cells_[std::size_t(cell)] = ValueMask(1) << values[k];
            key = PrefixKey(cell + 1);
            cells_[std::size_t(cell)] = was;
            if (deadPrefixes_.contains(key)) continue;
        }
        const long solutionsBefore = solutions_;
        Set(cell, ValueMask(1) << values[k], true);
        goOn = Node(options_.freeOrder ? 0 : cell);
        if (!key.empty() && goOn && !stopped_ && solutions_ == solutionsBefore) RememberDead(std::move(key));
    }
    observer_->GuessClosed();
    if (!rowKey.empty() && goOn && !stopped_ && solutions_ == solutionsBeforeRow) RememberDead(std::move(rowKey));
    return goOn;
}

bool GridSearch::HoldsSolution(int first) {
    const auto end = cells_.begin() + first;
    const auto it = known_.lower_bound(std::vector<ValueMask>(cells_.begin(), end));
    if (it != known_.end() && std::equal(cells_.begin(), end, it->begin())) return true;
    // The search in free order goes on from here, on the same cells, trail and probe results
    // (this node's are fresh), and is undone at the end. The observer sees it as a guess.
    const std::size_t mark = trail_.size();
    observer_->GuessOpened();
    const Options ordered = options_;
    options_.freeOrder = true;
    options_.moreFirst = true;
    judging_ = true;
    judgeFound_ = false;
    Node(0);
    judging_ = false;
    options_ = ordered;
    Undo(mark);
    ClearQueue();
    observer_->BranchUndone();
    observer_->GuessClosed();
    return judgeFound_ || stopped_;
}

bool GridSearch::Found() {
    if (judging_) {
        if (known_.size() < kKnown) known_.insert(cells_);
        judgeFound_ = true;
        return false;
    }
    ++solutions_;
    guessesAtSolution_ = guesses_;
    return observer_->SolutionFound(cells_);
}

std::string GridSearch::PrefixKey(int cell) const {
    // Where each column stands after its decided beginning (cells before `cell`): runs begun,
    // the run's value and length (0 after an empty cell), three bytes.
    std::string key(std::size_t(3 * width_ + 2), '\0');
    key[0] = char(cell & 0xFF);
    key[1] = char(cell >> 8);
    for (int i = 0; i < cell; ++i) {
        const int value = std::countr_zero(cells_[std::size_t(i)]);
        char* state = &key[std::size_t(2 + 3 * (i % width_))];
        if (value == 0) {
            state[2] = 0;
        } else if (state[2] != 0 && state[1] == char(value)) {
            ++state[2];
        } else {
            ++state[0];
            state[1] = char(value);
            state[2] = 1;
        }
    }
    return key;
}

void GridSearch::RememberDead(std::string key) {
    if (deadPrefixes_.size() >= kDeadPrefixes) deadPrefixes_.clear();
    deadPrefixes_.insert(std::move(key));
}

void GridSearch::Run(SearchObserver& observer, bool keepRoot) {
    observer_ = &observer;
    if (!valid_) return;
    const bool resume = keepRoot && root_.kept && cells_ == root_.start;
    // What an earlier run left: its trail, its queue and its probe records.
    stopped_ = false;
    trail_.clear();
    ClearQueue();
    epoch_ = 1;
    std::fill(lineChanged_.begin(), lineChanged_.end(), 1);
    std::fill(probed_.begin(), probed_.end(), 0);
    atRoot_ = false;
    deadPrefixes_.clear();
    if (resume) {
        // The kept deduction: its cells (shown as deduced) and its probes, none of them stale.
        solvedByLines_ = root_.solvedByLines;
        for (int cell = 0; cell < int(cells_.size()); ++cell) {
            if (cells_[std::size_t(cell)] != root_.cells[std::size_t(cell)]) Set(cell, root_.cells[std::size_t(cell)], false);
        }
        ClearQueue();
        gain_ = root_.gain;
        std::fill(probed_.begin(), probed_.end(), epoch_);
        Node(0);
        return;
    }
    std::fill(gain_.begin(), gain_.end(), 0);
    if (keepRoot) {
        root_.kept = false;
        root_.start = cells_;
        atRoot_ = true;
    }
    for (int line = 0; line < width_ + height_; ++line) Enqueue(line);
    // The first propagation on its own, to tell whether lines alone decide the puzzle.
    if (!Propagate()) return;
    solvedByLines_ = true;
    for (ValueMask v : cells_) solvedByLines_ = solvedByLines_ && OneValue(v);
    Node(0);
}

}  // namespace mosgrid
