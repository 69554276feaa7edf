// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/SolutionSearch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace mosgrid {

namespace {

using Grid = std::vector<ValueMask>;

// A search in free order for up to `limit` solutions from one start, over up to `threads`
// threads. The main thread (the caller's) runs the root; once it has searched for a few
// milliseconds the other threads start and wait for work, and any search that meets a guess
// while a thread waits hands it the guess's other values (GridSearch's splitter). The search
// is over when no thread works and no subtree waits, or at `limit` solutions, or on a stop.
class FreeSearch final : public SearchSplitter {
public:
    // `shown`, when not null, sees the main thread's search; `asked` is polled for a stop.
    // Solutions go into `known` (those already there are not found again); the search ends once
    // it holds `limit`. `budget`, when not 0, ends the search after about that many polls (line
    // passes, probes and guesses) over all threads. `displayed`, with `shown`, is what the
    // observer shows of each cell.
    FreeSearch(const Puzzle& puzzle, const SolutionSearchOptions& options, bool moreFirst, long limit,
               std::set<Grid>& known, long budget, SearchObserver* shown, Grid* displayed, SearchObserver& asked)
        : puzzle_(puzzle), options_(FreeOptions(options.search, moreFirst)), threads_(std::max(1, options.threads)),
          threadsAfter_(options.threadsAfter), limit_(limit), known_(known), budget_(budget), shown_(shown),
          displayed_(displayed), asked_(asked) {}

    // `search` is the main thread's, made with FreeOptions (its line table is kept between runs).
    void Run(const Grid& start, GridSearch& search) {
        begun_ = std::chrono::steady_clock::now();
        tasks_.push_back(start);
        Work(search, true);
        helpers_.clear();  // joins them
    }

    static GridSearch::Options FreeOptions(GridSearch::Options options, bool moreFirst) {
        options.freeOrder = true;
        options.moreFirst = moreFirst;
        return options;
    }
    // The tree was searched to its end: every solution in it is in `known`.
    bool Exhausted() const { return !stop_.load(); }

    bool Hungry() override {
        if (!spawned_) {
            // Only the main thread runs before the others exist.
            if (threads_ > 1 && ++calls_ % 4 == 0 && std::chrono::steady_clock::now() - begun_ >= threadsAfter_) {
                Spawn();
            }
            return false;
        }
        return hungry_.load(std::memory_order_relaxed);
    }

    void Give(Grid cells) override {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(cells));
        UpdateHungry();
        wake_.notify_one();
    }

    bool userStop = false;
    bool solvedByLines = false;
    long guesses = 0;
    long linePasses = 0;

private:
    // What one thread's search reports: the main thread's goes on to `shown`.
    class Observer final : public SearchObserver {
    public:
        Observer(FreeSearch& owner, bool main) : owner_(owner), main_(main), shown_(main ? owner.shown_ : nullptr) {}
        void CellChanged(int cell, ValueMask values) override {
            if (!shown_) return;
            if (owner_.displayed_) (*owner_.displayed_)[std::size_t(cell)] = values;
            shown_->CellChanged(cell, values);
        }
        void CellDecided() override {
            if (shown_) shown_->CellDecided();
        }
        void LinePassed() override {
            if (shown_) shown_->LinePassed();
        }
        void GuessOpened() override {
            budgeted_ = true;
            if (shown_) shown_->GuessOpened();
        }
        void BranchUndone() override {
            if (shown_) shown_->BranchUndone();
        }
        void GuessClosed() override {
            if (shown_) shown_->GuessClosed();
        }
        bool SolutionFound(const Grid& cells) override { return owner_.Add(cells); }
        bool StopRequested() override {
            if (main_) owner_.PollAsked();
            // The deduction at the start, which every turn needs and the next takes up, is
            // not counted against the turn's budget.
            if (owner_.budget_ > 0 && budgeted_ && ++polls_ % 256 == 0 &&
                owner_.polls_.fetch_add(256, std::memory_order_relaxed) + 256 > owner_.budget_) {
                owner_.Stop();
            }
            return owner_.stop_.load(std::memory_order_relaxed);
        }

    private:
        long polls_ = 0;
        FreeSearch& owner_;
        bool main_;
        bool budgeted_ = !main_;
        SearchObserver* shown_;
    };

    void PollAsked() {
        if (!stop_.load(std::memory_order_relaxed) && asked_.StopRequested()) {
            userStop = true;
            Stop();
        }
    }

    void Stop() {
        stop_.store(true, std::memory_order_relaxed);
        const std::lock_guard lock(mutex_);
        wake_.notify_all();
    }

    bool Add(const Grid& cells) {
        bool full = false;
        {
            const std::lock_guard lock(foundMutex_);
            if (long(known_.size()) < limit_) known_.insert(cells);
            full = long(known_.size()) >= limit_;
        }
        if (full) Stop();
        return !full && !stop_.load(std::memory_order_relaxed);
    }

    void UpdateHungry() { hungry_.store(idle_ > 0 && tasks_.empty(), std::memory_order_relaxed); }

    void Spawn() {
        spawned_ = true;
        for (int t = 1; t < threads_; ++t) {
            helpers_.emplace_back([this] {
                GridSearch search(puzzle_, options_);
                Work(search, false);
            });
        }
    }

    // Takes subtrees until the search is over.
    void Work(GridSearch& search, bool main) {
        Observer observer(*this, main);
        search.SetSplitter(this);
        const long guessesBefore = search.Guesses();
        const long passesBefore = search.LinePasses();
        bool first = true;
        std::unique_lock lock(mutex_);
        for (;;) {
            ++idle_;
            UpdateHungry();
            while (tasks_.empty() && working_ > 0 && !stop_.load(std::memory_order_relaxed)) {
                if (!main) {
                    wake_.wait(lock);
                    continue;
                }
                // The main thread keeps polling for a stop while the others work.
                wake_.wait_for(lock, std::chrono::milliseconds(10));
                lock.unlock();
                PollAsked();
                lock.lock();
            }
            --idle_;
            if (tasks_.empty() || stop_.load(std::memory_order_relaxed)) {
                UpdateHungry();
                wake_.notify_all();
                break;
            }
            Grid task = std::move(tasks_.front());
            tasks_.pop_front();
            ++working_;
            UpdateHungry();
            lock.unlock();
            if (shown_ && main && displayed_) {
                // The board jumps to the subtree taken over.
                for (std::size_t i = 0; i < task.size(); ++i) {
                    if ((*displayed_)[i] != task[i]) observer.CellChanged(int(i), task[i]);
                }
            }
            search.SetStart(task);
            // The main thread's first task is the start of the whole search: its deduction is
            // kept for the next turn (FreeRounds).
            search.Run(observer, main && first);
            if (main && first) solvedByLines = search.SolvedByLines();
            first = false;
            lock.lock();
            --working_;
            if (working_ == 0 && tasks_.empty()) wake_.notify_all();
        }
        guesses += search.Guesses() - guessesBefore;
        linePasses += search.LinePasses() - passesBefore;
    }

    const Puzzle& puzzle_;
    GridSearch::Options options_;
    int threads_;
    std::chrono::microseconds threadsAfter_;
    long limit_;
    std::set<Grid>& known_;
    long budget_;
    std::atomic<long> polls_{0};
    SearchObserver* shown_;
    Grid* displayed_;
    SearchObserver& asked_;
    std::chrono::steady_clock::time_point begun_;
    bool spawned_ = false;
    long calls_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hungry_{false};
    std::mutex mutex_;  // guards the fields below and the counters above
    std::condition_variable wake_;
    std::deque<Grid> tasks_;
    int idle_ = 0;
    int working_ = 0;
    std::mutex foundMutex_;
    std::vector<std::jthread> helpers_;
};

// Searches in free order take turns, each from the start again: first trying the value that
// decided more cells (which reaches solutions soonest where there are many), then the one that
// decided fewer (which empties the tree soonest where there are few), each turn allowed twice
// the work (line passes, probes and guesses) of the turn before; the deduction at the start is
// made once and counted in none. What one turn finds, the next need not find again; the first
// turn that searches its tree to the end has found every solution. Neither order
// wins on every puzzle; taking turns costs at most a few times the better one.
class FreeRounds {
public:
    FreeRounds(const Puzzle& puzzle, const SolutionSearchOptions& options, SearchObserver* shown, SearchObserver& asked)
        : puzzle_(puzzle), options_(options), shown_(shown), asked_(asked) {}

    // Until `known` holds `limit` solutions or all there are from `start`.
    void Run(const Grid& start, long limit, std::set<Grid>& known) {
        if (shown_ && displayed.empty()) displayed = start;
        long budget = kFirstBudget;
        for (int round = 0;; ++round) {
            const bool more = round % 2 == 0;
            FreeSearch search(puzzle_, options_, more, limit, known, budget, shown_, shown_ ? &displayed : nullptr, asked_);
            // One search from turn to turn: its line table, and the deduction at the start, which
            // no turn polls for again.
            if (!own_) own_ = std::make_unique<GridSearch>(puzzle_, FreeSearch::FreeOptions(options_.search, more));
            own_->SetMoreFirst(more);
            search.Run(start, *own_);
            guesses += search.guesses;
            linePasses += search.linePasses;
            if (first_) solvedByLines = search.solvedByLines;
            first_ = false;
            if (search.userStop) {
                userStop = true;
                return;
            }
            if (long(known.size()) >= limit || search.Exhausted()) return;
            budget *= 2;
        }
    }

    bool userStop = false;
    bool solvedByLines = false;
    long guesses = 0;
    long linePasses = 0;
    Grid displayed;  // what the observer shows, while it is shown the search

private:
    static constexpr long kFirstBudget = 4000;
    const Puzzle& puzzle_;
    const SolutionSearchOptions& options_;
    SearchObserver* shown_;
    SearchObserver& asked_;
    std::unique_ptr<GridSearch> own_;
    bool first_ = true;
};

// The lexicographic search: shows its branch, collects up to `max` solutions.
class Ordered final : public SearchObserver {
public:
    Ordered(SearchObserver& shown, long max) : shown_(shown), max_(max) {}
    void CellChanged(int cell, ValueMask values) override { shown_.CellChanged(cell, values); }
    void CellDecided() override { shown_.CellDecided(); }
    void LinePassed() override { shown_.LinePassed(); }
    void GuessOpened() override { shown_.GuessOpened(); }
    void BranchUndone() override { shown_.BranchUndone(); }
    void GuessClosed() override { shown_.GuessClosed(); }
    bool SolutionFound(const Grid& cells) override {
        found.push_back(cells);
        return long(found.size()) < max_;
    }
    bool StopRequested() override { return shown_.StopRequested(); }
    std::vector<Grid> found;

private:
    SearchObserver& shown_;
    long max_;
};

}  // namespace

SolutionSearchResult FindSolutions(const Puzzle& puzzle, const std::vector<ValueMask>& start, long max,
                                   SearchObserver& observer, const SolutionSearchOptions& options) {
    SolutionSearchResult result;
    if (!puzzle.Valid() || max < 1) return result;
    const Grid first = start.size() == std::size_t(puzzle.CellCount()) ? start : Grid(std::size_t(puzzle.CellCount()), puzzle.AllValues());
    std::vector<Grid> solutions;

    auto ordered = [&](std::set<Grid>* known) {
        GridSearch::Options ordered = options.search;
        ordered.judgeSubtrees = known != nullptr;
        GridSearch search(puzzle, ordered);
        search.SetStart(first);
        if (known) search.AddKnown(std::move(*known));
        Ordered collector(observer, max);
        search.Run(collector);
        result.solvedByLines = search.SolvedByLines();
        result.stopped = search.Stopped() && long(collector.found.size()) < max;
        result.guesses += search.Guesses();
        result.linePasses += search.LinePasses();
        solutions = std::move(collector.found);
    };

    if (!options.freeFirst || !options.search.probing) {
        ordered(nullptr);
    } else {
        const long limit = options.countOnly ? max : max + 1;
        FreeRounds rounds(puzzle, options, &observer, observer);
        std::set<Grid> known;
        rounds.Run(first, limit, known);
        result.solvedByLines = rounds.solvedByLines;
        result.stopped = rounds.userStop;
        result.guesses = rounds.guesses;
        result.linePasses = rounds.linePasses;
        if (long(known.size()) > max && !result.stopped) {
            // More than asked for: the first ones in order, from the lexicographic search. Where
            // it goes a while without a solution, it judges each subtree by a search in free
            // order before entering it; the solutions found so far spare many of those. The
            // board first goes back to where that search starts.
            for (std::size_t i = 0; i < first.size(); ++i) {
                if (rounds.displayed[i] != first[i]) observer.CellChanged(int(i), first[i]);
            }
            ordered(&known);
        } else {
            solutions.assign(known.begin(), known.end());
            // Where the free searches stop depends on how the threads met; the observer is left
            // with the first solution, or with the start when there is none.
            const Grid& last = solutions.empty() || result.stopped ? first : solutions.front();
            if (!result.stopped) {
                for (std::size_t i = 0; i < last.size(); ++i) {
                    if (rounds.displayed[i] != last[i]) observer.CellChanged(int(i), last[i]);
                }
            }
        }
        if (long(solutions.size()) > max) solutions.resize(std::size_t(max));
    }
    result.capped = long(solutions.size()) >= max;
    for (const Grid& solution : solutions) {
        ++result.found;
        if (!observer.SolutionFound(solution)) break;
    }
    return result;
}

}  // namespace mosgrid
