// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/CellMarking.h"

namespace mosgrid {

CellRecord NextMark(const CellRecord& cell, COLORREF current) {
    if (cell.state == 1) return CellRecord{0, current};
    if (cell.colour == kWhite) return CellRecord{1, kWhite};
    if (cell.colour == current) return CellRecord{0, kWhite};
    return CellRecord{0, current};
}

CellChange MarkCell(BoardModel& model, int c, int r, COLORREF current) {
    return ChangeCell(model, c, r, NextMark(model.Cell(c, r), current));
}

CellChange RevealCell(BoardModel& model, int c, int r) {
    return ChangeCell(model, c, r, CellRecord{0, model.PictureColour(c, r)});
}

}  // namespace mosgrid
