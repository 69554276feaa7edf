#pragma once
#include <cstdint>
#include <vector>

namespace mosgrid {

// Paces the board's drawing while the solver runs. The solver writes cells far faster than a
// window can be repainted, and most of its writes put back what a cell already held; drawing
// each of them and repainting after every line pass would make the drawing cost more than the
// search. The pacer remembers which cells were written since the last drawing (each once) and
// says when a line pass ends at least `intervalMs` after the last drawing. Times are
// milliseconds of a monotonic clock modulo 2^32.
class RepaintPacer {
public:
    RepaintPacer(int cellCount, std::uint32_t intervalMs, std::uint32_t nowMs)
        : dirty_(std::size_t(cellCount > 0 ? cellCount : 0), 0), interval_(intervalMs), last_(nowMs) {
        pending_.reserve(dirty_.size());
    }

    void CellWritten(int index) {
        if (index < 0 || std::size_t(index) >= dirty_.size() || dirty_[std::size_t(index)]) return;
        dirty_[std::size_t(index)] = 1;
        pending_.push_back(index);
    }

    // True when the board is due for drawing.
    bool Due(std::uint32_t nowMs) const { return std::uint32_t(nowMs - last_) >= interval_; }

    // Hands every cell written since the last drawing to `paint` (in the order first written),
    // forgets them and counts the drawing as done at `nowMs`.
    template <typename Paint>
    void Flush(Paint&& paint, std::uint32_t nowMs) {
        for (int index : pending_) {
            dirty_[std::size_t(index)] = 0;
            paint(index);
        }
        pending_.clear();
        last_ = nowMs;
        ++flushes_;
    }

    std::size_t PendingCells() const { return pending_.size(); }
    long Flushes() const { return flushes_; }

private:
    std::vector<std::uint8_t> dirty_;
    std::vector<int> pending_;
    std::uint32_t interval_;
    std::uint32_t last_;
    long flushes_ = 0;
};

}  // namespace mosgrid
