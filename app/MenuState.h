// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The enabled and checked states of the menu items, as a pure function of the board's state.
// No Qt here: the unit tests check the rule on its own.

namespace mosgrid {

struct MenuInputs {
    int cols = 0;            // 0 = no puzzle on the board
    int gameOver = 0;        // 1 after solving, opening the field or a solver run
    int variantCount = 0;    // solution variants stored by the solver
    int currentVariant = 0;  // the variant on show
    int hints = 0;           // the board's hints flag
    bool canUndo = false;    // the board has a step of play to take back
    bool canRedo = false;    // and one taken back to make again
};

// Only these items ever change; "Случайный выбор", "Выбрать кроссворд", "Выход", "Подсказки",
// "Правила игры" and "О программе..." are always enabled.
struct MenuState {
    bool restartEnabled = false;    // "Начать сначала"
    bool openFieldEnabled = false;  // "Открыть поле"
    bool checkEnabled = false;      // "Проверить кроссворд"
    bool prevEnabled = false;       // "Предыдущий"
    bool nextEnabled = false;       // "Следующий"
    bool hintsChecked = false;      // the check mark of "Подсказки" follows the hints flag
    bool undoEnabled = false;       // "Отменить"
    bool redoEnabled = false;       // "Повторить"

    friend bool operator==(const MenuState&, const MenuState&) = default;
};

constexpr MenuState ComputeMenuState(const MenuInputs& in) {
    MenuState s;
    s.hintsChecked = in.hints != 0;
    s.undoEnabled = in.canUndo;
    s.redoEnabled = in.canRedo;
    if (in.cols == 0) return s;
    s.restartEnabled = true;
    s.openFieldEnabled = in.gameOver == 0;
    if (in.variantCount == 0) {
        s.checkEnabled = true;
        return s;
    }
    s.prevEnabled = in.currentVariant != 0;
    s.nextEnabled = in.currentVariant != in.variantCount - 1;
    return s;
}

}  // namespace mosgrid
