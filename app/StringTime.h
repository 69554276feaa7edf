// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>

namespace mosgrid {

// The elapsed-time label in the menu bar's row. It shows only what the board writes into it;
// a click on it, or the focus reaching it, hands the keyboard focus back to the board.
class CStringTime : public QLabel {
    Q_OBJECT
public:
    explicit CStringTime(QWidget* parent = nullptr);

    // The widget that gets the focus back (the board); set once the board exists.
    void SetBoard(QWidget* board) { board_ = board; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void GiveFocusToBoard();
    QWidget* board_ = nullptr;
};

}  // namespace mosgrid
