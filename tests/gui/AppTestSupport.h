// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the widget tests: puzzles in folders and on a board, clicks, waiting with the event
// loop running, acting on a modal dialog; and the headers most tests use.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEventLoop>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

#include <functional>

#include "app/MainFrame.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/Text.h"
#include "catalogue/ui/ListFiles.h"
#include "common/Prompts.h"
#include "catalogue/core/BmpWriter.h"
#include "tests/gui/ScriptedPrompts.h"
#include "tests/unit/CatalogRecords.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid::test {

inline bool NoBoxes(const ScriptedPrompts& prompts) {
    return prompts.asked.empty() && prompts.told.empty() && prompts.refused.empty();
}

inline const std::vector<COLORREF> kBlackOnWhite = {kWhite, kBlack};

inline void WritePuzzle(const std::filesystem::path& folder, const std::string& name,
                        const std::vector<std::string>& rows,
                        const std::vector<COLORREF>& palette = kBlackOnWhite) {
    ASSERT_TRUE(WriteBmp4(folder / (name + ".bmp"), PictureFromText(rows, palette)));
}

// Writes the picture as folder/name.bmp and sets it up on the board as the chooser does.
inline void LoadPuzzle(CGmGride& board, const std::filesystem::path& folder, const std::vector<std::string>& rows,
                       const std::vector<COLORREF>& palette, const std::string& name = "p") {
    WritePuzzle(folder, name, rows, palette);
    board.SetupPuzzle(folder / (name + ".bmp"), Utf8ToUtf16(name));
    ASSERT_TRUE(board.Model().HasPuzzle());
    board.ApplyFirstPuzzleColour();
}

// Puts a changed copy of the game on the board, as a restored game comes back.
inline void ChangeGame(CGmGride& board, const std::function<void(BoardModel&)>& edit) {
    BoardModel copy = board.Model();
    edit(copy);
    ASSERT_TRUE(board.RestorePlay(copy));
}

// The cells as rows of text: '.' blank, 'x' decided white (crossed), '#' decided in a colour.
inline std::vector<std::string> CellRows(const BoardModel& m) {
    std::vector<std::string> rows(std::size_t(m.rows()));
    for (int i = 0; i < m.rows() * m.cols(); ++i) {
        const CellRecord& cell = m.cells[std::size_t(i)];
        rows[std::size_t(i / m.cols())] += cell.state == 1 ? '.' : cell.colour == kWhite ? 'x' : '#';
    }
    return rows;
}

// The texts of one column of a list, top to bottom.
inline QStringList ColumnTexts(const QTreeWidget* list, int column = 0) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(column);
    return texts;
}

// The middle of a cell in the board's viewport; a negative column or row is a clue slot
// (-1 next to the grid), where the clue areas lie, pinned or not.
inline QPoint CellCentre(const CGmGride& board, int column, int row) {
    const BoardModel& m = board.Model();
    const int s = board.CellSize();
    const Panes p = board.ViewPanes();
    return QPoint((m.R + column) * s - (column < 0 ? p.pinnedX : p.hx) + s / 2,
                  (m.K + row) * s - (row < 0 ? p.pinnedY : p.vy) + s / 2);
}

// A press and release of `button` at `at` in `widget`.
inline void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Lets the event loop run until `condition` holds, looking every 10 ms, for at most `limitMs`
// (a bound for a fault, not a measure of speed); whether it came to hold.
inline bool WaitUntil(const std::function<bool()>& condition, int limitMs = 30000) {
    for (QDeadlineTimer deadline(limitMs); !condition();) {
        if (deadline.hasExpired()) return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Runs `act` on the next modal dialog of type D once its exec() is running. A dialog that never
// shows up is a test failure; any dialog left open then is rejected so the test cannot hang.
template <class D>
void WhenDialogOpens(std::function<void(D&)> act, int attempts = 200) {
    QTimer::singleShot(5, [act = std::move(act), attempts]() mutable {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            act(*dialog);
            return;
        }
        if (attempts > 0) {
            WhenDialogOpens<D>(std::move(act), attempts - 1);
            return;
        }
        ADD_FAILURE() << "the expected dialog did not open";
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
    });
}

}  // namespace mosgrid::test
