// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

#include "board/core/BoardModel.h"
#include "solver/core/SolvePuzzle.h"

namespace mosgrid {

// The check's search on a thread of its own, over its own copy of the puzzle: the window that
// started it stays free to paint and to take input, and never touches the search's data while
// it runs. What the window may see meanwhile is published:
// - the cells as the search has them, copied out at the end of a line pass whenever the window
//   has taken the previous copy (so at most as often as the window looks);
// - the progress position the bar should show, by the progress dialog's rules (the bar moves
//   only above its threshold), and whether the progress dialog is due: once more than a second
//   has passed since the search started, read from the clock by the window when it asks, so the
//   dialog is on time however slow the search's steps are.
// A stop is polled between line passes and before every guess, so it takes effect within one
// line pass.
class BackgroundSearch {
public:
    // Takes the puzzle and the cells to start from (the check gives blank ones) and starts the
    // search, as SolvePuzzle does. onFinished, when given, is called on the search's thread once
    // the search has ended by itself (not after Stop).
    explicit BackgroundSearch(BoardModel puzzle, std::function<void()> onFinished = {});
    // Stops the search and waits for its thread.
    ~BackgroundSearch();
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    // Asks the search to stop and waits until its thread has ended.
    void Stop();
    // Waits until the search has ended (by itself or by Stop).
    void Wait();
    // The search has ended; its results may be read once Wait() has returned.
    bool Finished() const { return finished_.load(std::memory_order_acquire); }

    // The latest cells the search published, when they are newer than those the last call
    // took: copied into `out`, true. Either way a fresh copy is asked for.
    bool TakeCells(BoardModel::Cells& out);
    // The position the progress bar should show now.
    std::uint32_t BarPosition() const { return bar_.load(std::memory_order_relaxed); }
    // The progress dialog is due to be shown.
    bool ShowDue() const {
        return show_.load(std::memory_order_relaxed) || std::chrono::steady_clock::now() - start_ > kShowAfter;
    }
    static constexpr std::chrono::milliseconds kShowAfter{1000};
    // After Wait(): the search ran out of memory and ended early; its results are not to be used.
    bool OutOfMemory() const { return outOfMemory_; }

    // After Wait(): what SolvePuzzle reported, the solutions and the cells as the last branch
    // left them included.
    const SolveResult& Result() const { return result_; }

private:
    class Progress;
    class Listener;
    void Run(std::stop_token stop);
    void Publish(const BoardModel::Cells& cells);

    BoardModel puzzle_;
    std::function<void()> onFinished_;
    SolveResult result_;
    bool outOfMemory_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::atomic<std::uint32_t> bar_{0};
    std::atomic<bool> show_{false};
    std::atomic<bool> finished_{false};
    // The window wants a fresh copy of the cells.
    std::atomic<bool> wanted_{true};
    std::mutex publishedMutex_;
    BoardModel::Cells published_;
    std::uint64_t publishedCount_ = 0;
    std::uint64_t takenCount_ = 0;
    // Last, so that it starts after everything above exists and ends before it goes.
    std::jthread thread_;
};

}  // namespace mosgrid
