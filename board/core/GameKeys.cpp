// SPDX-License-Identifier: GPL-3.0-or-later
// The game's operations for the keyboard's cell cursor: cell keys and their drags, stepping the
// current colour through the clue colours, crossing a clue and asking for a line's reveal.
#include <algorithm>
#include <array>
#include <vector>

#include "board/core/BoardTexts.h"
#include "board/core/CellMarking.h"
#include "board/core/Game.h"

namespace mosgrid {
namespace {

bool Same(const CellRecord& a, const CellRecord& b) { return a.state == b.state && a.colour == b.colour; }

}  // namespace

// A cell the keys changed is drawn, kept in the open step and checked as a marked cell is.
void Game::KeySetCell(int column, int row, const CellRecord& after, GameChange& change) {
    if (Same(model_.Cell(column, row), after)) return;
    step_.Add(ChangeCell(model_, column, row, after));
    change.cells.push_back(CellRef{column, row});
    change.history = true;
    CellChanged(column, row, change);
}

GameChange Game::KeyCell(int column, int row, CellKey key) {
    GameChange change;
    EndStep(change);
    if (!InPlay() || !InGrid(column, row)) return change;
    const CellRecord before = model_.Cell(column, row);
    CellRecord after{1, kWhite};
    if (key == CellKey::Mark) after = NextMark(before, model_.currentColour);
    if (key == CellKey::Cross) after = CellRecord{0, kWhite};
    lastKey_ = key;
    keyRun_ = KeyRun{CellRef{column, row}, before, after};
    // A solve on the way closes the step, and the run with it.
    KeySetCell(column, row, after, change);
    JudgeLines(change);
    return change;
}

GameChange Game::KeyDrag(int column, int row, int toColumn, int toRow) {
    GameChange change;
    if (!InPlay() || !InGrid(column, row) || !InGrid(toColumn, toRow)) return change;
    if (!keyRun_ || !(keyRun_->last == CellRef{column, row})) change = KeyCell(column, row, lastKey_);
    if (!keyRun_) return change;
    keyRun_->last = CellRef{toColumn, toRow};
    const KeyRun run = *keyRun_;
    if (Same(model_.Cell(toColumn, toRow), run.from)) KeySetCell(toColumn, toRow, run.to, change);
    JudgeLines(change);
    return change;
}

// The colours in palette order, each once, as the clues of the columns show them.
GameChange Game::NextColour(int direction) {
    if (!InPlay() || direction == 0) return GameChange{};
    std::array<bool, 256> used{};
    for (int c = 0; c < model_.cols(); ++c) {
        for (int k = 0; k < model_.K; ++k) {
            const ClueEntry& clue = model_.ColumnClue(c, k);
            if (clue.length != 0) used[std::size_t(clue.colourIndex)] = true;
        }
    }
    std::vector<COLORREF> colours;
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (!used[i]) continue;
        const COLORREF colour = model_.picture.PaletteColour(int(i));
        if (colour != kWhite && std::find(colours.begin(), colours.end(), colour) == colours.end())
            colours.push_back(colour);
    }
    if (colours.empty()) return GameChange{};
    const int n = int(colours.size());
    const auto at = std::find(colours.begin(), colours.end(), model_.currentColour);
    int next = direction > 0 ? 0 : n - 1;
    if (at != colours.end()) next = ((int(at - colours.begin()) + (direction > 0 ? 1 : -1)) % n + n) % n;
    return SetColour(colours[std::size_t(next)]);
}

GameChange Game::CrossClue(bool column, int line, int slot) {
    GameChange change;
    if (!InPlay() || line < 0 || slot < 0 || slot >= (column ? model_.K : model_.R) ||
        line >= (column ? model_.cols() : model_.rows()))
        return change;
    const ClueEntry& clue = column ? model_.ColumnClue(line, slot) : model_.RowClue(line, slot);
    if (clue.length == 0) return change;
    EndStep(change);
    step_.Add(ToggleClue(model_, column, line, slot));
    change.clues.push_back(ClueRef{column, line, slot});
    EndStep(change);
    return change;
}

GameChange Game::AskReveal(bool column, int line) {
    GameChange change;
    if (!InPlay() || model_.hints != 1 || line < 0 || line >= (column ? model_.cols() : model_.rows())) return change;
    EndStep(change);
    change.question = RevealQuestion{column, line, column ? RevealColumnQuestion(line + 1) : RevealRowQuestion(line + 1)};
    return change;
}

}  // namespace mosgrid
