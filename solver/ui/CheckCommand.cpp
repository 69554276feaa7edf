// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/ui/CheckCommand.h"

#include "common/Prompts.h"
#include "board/ui/GmGride.h"
#include "solver/core/CheckReport.h"
#include "solver/ui/CheckRun.h"

namespace mosgrid {

CheckRun* CheckCommand(CGmGride& board, QWidget* parent) {
    if (!board.Model().HasPuzzle()) return nullptr;
    if (!CheckAccepts(board.Model())) {
        Prompts::Current().Refuse(parent, kCheckColourRefusal);
        return nullptr;
    }
    if (!Prompts::Current().Ask(parent, kCheckQuestion)) return nullptr;
    return CheckPuzzle(board, parent);
}

CheckRun* CheckPuzzle(CGmGride& board, QWidget* parent) {
    if (!board.Model().HasPuzzle()) return nullptr;
    return new CheckRun(board, parent);
}

}  // namespace mosgrid
