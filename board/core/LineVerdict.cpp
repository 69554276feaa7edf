// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/LineVerdict.h"

#include <array>

#include "solver/core/LineSolver.h"

namespace mosgrid {

// The line solver decides from the clues and the decided cells only. A run is proved complete
// when some stretch of cells painted in its colour, of its length, bounded by decided cells of
// another state or by the line's ends, is where every fitting placement puts that run: the run
// takes a colour value of its own, the cells that allow its colour allow that value too, and the
// solver says which cells only that value can cover.
LineVerdict JudgeLine(const BoardModel& model, bool column, int line) {
    LineVerdict verdict;
    const int length = column ? model.rows() : model.cols();
    if (length <= 0 || length > kMaxSide) return verdict;

    // The runs from the line's start (slot 0 is the run at the far end); a value per colour.
    std::array<LineRun, kMaxSlots> runs{};
    std::array<int, kMaxSlots> slotOf{};
    std::array<COLORREF, kMaxValues> colours{};
    int values = 1;  // value 0 is empty
    int count = 0;
    for (int k = (column ? model.K : model.R) - 1; k >= 0; --k) {
        const ClueEntry& e = column ? model.ColumnClue(line, k) : model.RowClue(line, k);
        if (e.length == 0) continue;
        const COLORREF colour = model.ClueColour(e);
        int value = 1;
        while (value < values && colours[std::size_t(value)] != colour) ++value;
        if (value == values) {
            // One value stays free for the run under proof.
            if (values + 1 >= kMaxValues) return verdict;
            colours[std::size_t(values++)] = colour;
        }
        runs[std::size_t(count)] = LineRun{e.length, value, e.colourIndex};
        slotOf[std::size_t(count++)] = k;
    }

    // What each cell allows, and what it is: -1 blank, 0 crossed, a value painted, -2 painted in
    // a colour no run of the line has.
    std::array<ValueMask, kMaxSide> cells{};
    std::array<int, kMaxSide> shade{};
    for (int i = 0; i < length; ++i) {
        const CellRecord& cell = column ? model.Cell(line, i) : model.Cell(i, line);
        if (cell.state == 1) {
            cells[std::size_t(i)] = (ValueMask(1) << values) - 1;
            shade[std::size_t(i)] = -1;
        } else if (cell.colour == kWhite) {
            cells[std::size_t(i)] = kEmptyBit;
            shade[std::size_t(i)] = 0;
        } else {
            int value = 1;
            while (value < values && colours[std::size_t(value)] != cell.colour) ++value;
            cells[std::size_t(i)] = value < values ? ValueMask(1) << value : 0;
            shade[std::size_t(i)] = value < values ? value : -2;
        }
    }

    thread_local LineSolver solver;
    std::array<ValueMask, kMaxSide> possible{};
    if (!solver.Solve(cells.data(), length, runs.data(), count, possible.data())) {
        verdict.error = true;
        return verdict;
    }

    // The painted stretches with a decided cell or the line's end on either side.
    struct Stretch {
        int start = 0;
        int end = 0;
        int value = 0;
    };
    std::array<Stretch, kMaxSide> stretches{};
    int stretchCount = 0;
    for (int a = 0; a < length;) {
        int b = a + 1;
        while (b < length && shade[std::size_t(b)] == shade[std::size_t(a)]) ++b;
        const bool closed = (a == 0 || shade[std::size_t(a - 1)] != -1) && (b == length || shade[std::size_t(b)] != -1);
        if (shade[std::size_t(a)] > 0 && closed) stretches[std::size_t(stretchCount++)] = Stretch{a, b, shade[std::size_t(a)]};
        a = b;
    }

    const ValueMask own = ValueMask(1) << values;
    for (int j = 0; j < count; ++j) {
        const LineRun& run = runs[std::size_t(j)];
        auto fitsRun = [&](const Stretch& s) { return s.value == run.value && s.end - s.start == run.length; };
        bool any = false;
        for (int s = 0; s < stretchCount; ++s) any = any || fitsRun(stretches[std::size_t(s)]);
        if (!any) continue;
        std::array<ValueMask, kMaxSide> allowed = cells;
        for (int i = 0; i < length; ++i) {
            if (cells[std::size_t(i)] >> run.value & 1) allowed[std::size_t(i)] |= own;
        }
        std::array<LineRun, kMaxSlots> marked = runs;
        marked[std::size_t(j)].value = values;
        if (!solver.Solve(allowed.data(), length, marked.data(), count, possible.data())) continue;
        int fixed = 0;
        for (int i = 0; i < length; ++i) fixed += possible[std::size_t(i)] == own;
        if (fixed != run.length) continue;
        for (int s = 0; s < stretchCount; ++s) {
            const Stretch& stretch = stretches[std::size_t(s)];
            if (fitsRun(stretch) && possible[std::size_t(stretch.start)] == own)
                verdict.proved |= std::uint64_t(1) << slotOf[std::size_t(j)];
        }
    }
    return verdict;
}

}  // namespace mosgrid
