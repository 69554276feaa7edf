// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/BoardPuzzle.h"

#include <bit>

namespace mosgrid {

int BoardPuzzle::ValueOf(COLORREF colour) const {
    for (std::size_t v = 0; v < valueColours.size(); ++v) {
        if (valueColours[v] == colour) return int(v);
    }
    return -1;
}

ValueMask BoardPuzzle::CellValues(const CellRecord& cell) const {
    if (cell.state == 1) return puzzle.AllValues();
    const int value = ValueOf(cell.colour);
    return value < 0 ? 0 : ValueMask(1) << value;
}

CellRecord BoardPuzzle::Record(ValueMask values) const {
    if (!std::has_single_bit(values)) return CellRecord{1, kWhite};
    return CellRecord{0, valueColours[std::size_t(std::countr_zero(values))]};
}

BoardPuzzle PuzzleFromBoard(const BoardModel& model) {
    BoardPuzzle out;
    out.valueColours.push_back(kWhite);
    const CBmpFile& picture = model.picture;
    for (int i = 0; i < picture.colourCount && i < int(picture.colours.size()); ++i) {
        const COLORREF colour = picture.colours[std::size_t(i)];
        if (out.ValueOf(colour) < 0) out.valueColours.push_back(colour);
    }
    Puzzle& p = out.puzzle;
    p.width = model.cols();
    p.height = model.rows();
    auto collect = [&](std::vector<LineRun>& line, auto slotAt) {
        // Slot 0 is the run at the line's far end, so the slots are read downwards.
        for (int k = kMaxSlots - 1; k >= 0; --k) {
            const ClueEntry& e = slotAt(k);
            if (e.length == 0) continue;
            const COLORREF colour = model.ClueColour(e);
            int value = out.ValueOf(colour);
            if (value < 0) {
                // Not a colour of the pixels: cannot come from the picture's own clues, but the
                // run still needs a value of its own.
                out.valueColours.push_back(colour);
                value = int(out.valueColours.size()) - 1;
            }
            line.push_back(LineRun{e.length, value, e.colourIndex});
        }
    };
    p.rows.assign(std::size_t(p.height), {});
    p.columns.assign(std::size_t(p.width), {});
    for (int r = 0; r < p.height; ++r) collect(p.rows[std::size_t(r)], [&](int k) -> const ClueEntry& { return model.RowClue(r, k); });
    for (int c = 0; c < p.width; ++c) collect(p.columns[std::size_t(c)], [&](int k) -> const ClueEntry& { return model.ColumnClue(c, k); });
    p.valueCount = int(out.valueColours.size());
    out.usable = p.valueCount <= kMaxValues && p.Valid();
    return out;
}

}  // namespace mosgrid
