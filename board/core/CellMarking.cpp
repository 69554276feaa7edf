#include "board/core/CellMarking.h"

namespace mosgrid {

CellRecord NextMark(const CellRecord& cell, COLORREF current) {
    if (cell.state == 1) return CellRecord{0, current};
    if (cell.colour == kWhite) return CellRecord{1, kWhite};
    if (cell.colour == current) return CellRecord{0, kWhite};
    return CellRecord{0, current};
}

void MarkCell(BoardModel& model, int c, int r, COLORREF current) {
    CellRecord& cell = model.Cell(c, r);
    cell = NextMark(cell, current);
}

void RevealCell(BoardModel& model, int c, int r) {
    model.Cell(c, r) = CellRecord{0, model.PictureColour(c, r)};
}

}  // namespace mosgrid
