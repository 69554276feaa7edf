// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the widget tests: folders of puzzles, scripted message boxes, the catalogue file
// (tests/unit/CatalogRecords.h), clicks, waiting with the event loop running and acting on a
// modal dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "common/Prompts.h"
#include "board/ui/GmGride.h"
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

// The middle of a cell in the board's viewport; a negative column or row is a clue slot
// (-1 next to the grid), where the clue areas lie, pinned or not.
inline QPoint CellCentre(const CGmGride& board, int column, int row) {
    const BoardModel& m = board.Model();
    const int s = board.CellSize();
    const Panes p = board.ViewPanes();
    return QPoint((m.R + column) * s - (column < 0 ? p.pinnedX : p.hx) + s / 2,
                  (m.K + row) * s - (row < 0 ? p.pinnedY : p.vy) + s / 2);
}

// A left press and release at `at` in `widget`.
inline void LeftClick(QWidget* widget, QPoint at) {
    const QPoint global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Lets the event loop run for `ms` milliseconds.
inline void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Lets the event loop run until `condition` holds, looking every 10 ms, for at most `limitMs`
// (a bound for a fault, not a measure of speed); whether it came to hold.
inline bool WaitUntil(const std::function<bool()>& condition, int limitMs = 30000) {
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > limitMs) return false;
        Wait(10);
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
