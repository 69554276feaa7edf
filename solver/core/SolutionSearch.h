// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <vector>

#include "solver/core/GridSearch.h"
#include "solver/core/Puzzle.h"

namespace mosgrid {

struct SolutionSearchOptions {
    GridSearch::Options search;
    // First searches in free order (GridSearch) for max + 1 solutions: when they find at most
    // max, they are all there are, and sorted they are the answer; only when there are more is
    // the lexicographic search needed. False: the lexicographic search alone.
    bool freeFirst = true;
    // Searches in free order are split across this many threads (subtrees handed to whichever
    // thread waits for work). The results never depend on it. The threads are only started
    // once a search has run for a few milliseconds.
    int threads = 1;
    std::chrono::microseconds threadsAfter{5000};
    // Only the count matters: a search in free order for max solutions, none sorted or kept in
    // lexicographic order (the count and the cap are the same).
    bool countOnly = false;
};

struct SolutionSearchResult {
    long found = 0;          // solutions handed to the observer
    bool capped = false;     // the search ended at max solutions: there may be more
    bool stopped = false;    // the observer asked to stop; what was handed over is partial
    bool solvedByLines = false;
    long guesses = 0;        // over every search and thread
    long linePasses = 0;
};

// Finds the lexicographically first `max` solutions (row-major, lower values first) of a puzzle
// from the start cells (empty: every value everywhere) and hands them to observer.SolutionFound
// in that order once the search is over (until it returns false). The observer sees the cells
// of the branch explored by the main thread as the search goes (CellChanged, CellDecided,
// LinePassed and the guesses), and StopRequested is polled from the main thread only; the
// other threads see its answer within one line pass of theirs. Unless stopped, the observer is
// left seeing the first solution (the start when there is none), whatever the threads did.
SolutionSearchResult FindSolutions(const Puzzle& puzzle, const std::vector<ValueMask>& start, long max,
                                   SearchObserver& observer, const SolutionSearchOptions& options);

}  // namespace mosgrid
