#pragma once
#include <cstdint>
#include <functional>

#include "solver/core/RepaintPacer.h"
#include "solver/core/SolveListener.h"

namespace mosgrid {

class CGmGride;

// Shows the search on the board while the check runs: the cells the solver writes are drawn
// into the board's images and the window is repainted at the end of a line pass, but no more
// often than every `intervalMs` milliseconds, so drawing never outweighs the search.
class SearchPainter : public SolveListener {
public:
    using Clock = std::function<std::uint32_t()>;
    static constexpr std::uint32_t kDefaultIntervalMs = 50;

    // clock: the tick count in milliseconds (the monotonic clock unless a test gives its own).
    explicit SearchPainter(CGmGride& board, std::uint32_t intervalMs = kDefaultIntervalMs, Clock clock = {});

    void CellWritten(int column, int row, const CellRecord& cell) override;
    void LinePassed() override;
    // Draws whatever is still undrawn and repaints: the board then shows the cells as the search
    // left them.
    void Finish();

    // Repaints of the window so far.
    long Repaints() const { return pacer_.Flushes(); }

private:
    void Draw(std::uint32_t nowMs);

    CGmGride& board_;
    Clock clock_;
    int cols_;
    RepaintPacer pacer_;
};

}  // namespace mosgrid
