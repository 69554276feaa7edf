#include "solver/ui/SearchPainter.h"

#include "board/ui/GmGride.h"
#include "solver/core/TickCount.h"

namespace mosgrid {

SearchPainter::SearchPainter(CGmGride& board, std::uint32_t intervalMs, Clock clock)
    : board_(board),
      clock_(clock ? std::move(clock) : Clock(TickCount)),
      cols_(board.Model().cols()),
      pacer_(int(board.Model().cells.size()), intervalMs, clock_()) {}

void SearchPainter::CellWritten(int column, int row, const CellRecord&) {
    pacer_.CellWritten(row * cols_ + column);
}

void SearchPainter::LinePassed() {
    const std::uint32_t now = clock_();
    if (pacer_.Due(now)) Draw(now);
}

void SearchPainter::Finish() { Draw(clock_()); }

void SearchPainter::Draw(std::uint32_t nowMs) {
    pacer_.Flush([this](int index) { board_.PaintCell(index % cols_, index / cols_); }, nowMs);
    board_.RepaintNow();
}

}  // namespace mosgrid
