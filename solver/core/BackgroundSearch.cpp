// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/BackgroundSearch.h"

#include <new>

#include "solver/core/ProgressTracker.h"
#include "solver/core/TickCount.h"

namespace mosgrid {

// The search's progress, kept by the progress dialog's rules on the search's thread; only the
// effects the window needs leave it. The clock only matters until the dialog is due, and
// reading it costs more than a step: it is read once every 64 calls until then, so the dialog
// is due at most 64 steps late.
class BackgroundSearch::Progress final : public CSolveProgress {
public:
    explicit Progress(BackgroundSearch& owner) : owner_(owner), now_(TickCount()), tracker_(now_) {}
    void SetRange(std::uint32_t total) override {
        now_ = TickCount();
        tracker_.SetRange(total, now_);
    }
    void SetPos(std::uint32_t position) override { Apply(tracker_.SetPos(position, Now())); }
    std::uint32_t GetPos() override { return tracker_.Position(); }
    void StepIt() override { Apply(tracker_.StepIt(Now())); }

private:
    std::uint32_t Now() {
        if (!tracker_.Shown() && ++calls_ % 64 == 0) now_ = TickCount();
        return now_;
    }
    void Apply(ProgressTracker::Effect effect) {
        if (effect.moveBar) owner_.bar_.store(tracker_.Position(), std::memory_order_relaxed);
        if (effect.show) owner_.show_.store(true, std::memory_order_relaxed);
    }
    BackgroundSearch& owner_;
    std::uint32_t now_;
    std::uint32_t calls_ = 0;
    ProgressTracker tracker_;
};

class BackgroundSearch::Listener final : public SolveListener {
public:
    Listener(BackgroundSearch& owner, std::stop_token stop)
        : owner_(owner), stop_(std::move(stop)), cols_(owner.puzzle_.cols()), cells_(owner.puzzle_.cells) {}
    // The search's cells are its own: this copy follows them for publishing.
    void CellWritten(int column, int row, const CellRecord& cell) override {
        cells_[std::size_t(row) * std::size_t(cols_) + std::size_t(column)] = cell;
    }
    void LinePassed() override {
        if (owner_.wanted_.load(std::memory_order_relaxed)) owner_.Publish(cells_);
    }
    bool StopRequested() override { return stop_.stop_requested(); }

private:
    BackgroundSearch& owner_;
    std::stop_token stop_;
    int cols_;
    BoardModel::Cells cells_;
};

BackgroundSearch::BackgroundSearch(BoardModel puzzle, std::function<void()> onFinished)
    : puzzle_(std::move(puzzle)), onFinished_(std::move(onFinished)) {
    published_ = puzzle_.cells;
    thread_ = std::jthread([this](std::stop_token stop) { Run(std::move(stop)); });
}

BackgroundSearch::~BackgroundSearch() { Stop(); }

void BackgroundSearch::Stop() {
    thread_.request_stop();
    Wait();
}

void BackgroundSearch::Wait() {
    if (thread_.joinable()) thread_.join();
}

void BackgroundSearch::Run(std::stop_token stop) {
    Progress progress(*this);
    try {
        // The listener's copy of the cells is the search's first allocation: inside the try.
        Listener listener(*this, stop);
        SolvePuzzleInto(puzzle_, progress, &listener, result_);
    } catch (const std::bad_alloc&) {
        // Out of memory: the search ends with what it had stored, and the window is told.
        result_.count = int(result_.variants.size());
        result_.stopped = true;
        outOfMemory_ = true;
    }
    finished_.store(true, std::memory_order_release);
    if (!stop.stop_requested() && onFinished_) onFinished_();
}

void BackgroundSearch::Publish(const BoardModel::Cells& cells) {
    wanted_.store(false, std::memory_order_relaxed);
    const std::lock_guard lock(publishedMutex_);
    published_ = cells;
    ++publishedCount_;
}

bool BackgroundSearch::TakeCells(BoardModel::Cells& out) {
    bool fresh = false;
    {
        const std::lock_guard lock(publishedMutex_);
        if (publishedCount_ != takenCount_) {
            out = published_;
            takenCount_ = publishedCount_;
            fresh = true;
        }
    }
    wanted_.store(true, std::memory_order_relaxed);
    return fresh;
}

}  // namespace mosgrid
