// The solution variants that a check stored, shown on the board.
#include "board/core/Moves.h"
#include "board/ui/GmGride.h"

namespace mosgrid {

void CGmGride::ShowVariant(int index) {
    if (!model_.HasPuzzle() || index < 0 || std::size_t(index) >= model_.variants.size()) return;
    const BoardModel::Cells& variant = model_.variants[std::size_t(index)];
    if (variant.size() != model_.cells.size()) return;
    for (int r = 0; r < model_.rows(); ++r) {
        for (int c = 0; c < model_.cols(); ++c) {
            CellRecord cell = variant[std::size_t(r) * std::size_t(model_.cols()) + std::size_t(c)];
            // A blank cell always carries white.
            if (cell.state == 1) cell.colour = kWhite;
            ChangeCell(model_, c, r, cell);
            PaintCell(c, r);
        }
    }
    model_.currentVariant = index;
    RepaintNow();
}

}  // namespace mosgrid
