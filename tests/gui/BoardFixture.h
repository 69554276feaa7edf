// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A board window on the offscreen platform with a puzzle from text, a recording host and
// scripted prompts, and the stylus and key events that drive it.
#include <QKeyEvent>
#include <QScrollBar>

#include "board/ui/BoardHost.h"
#include "board/ui/BoardImages.h"
#include "tests/gui/AppTestSupport.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid::test {

constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kNavy = 0x800000;

// A BoardHost fake that records what the board asks of the main window.
class RecordingHost : public BoardHost {
public:
    void ShowCurrentColour(COLORREF colour) override { swatches.push_back(colour); }
    void ShowElapsedTime(int, int, int) override {}
    void EnterFullScreen() override { ++entered; }
    void LeaveFullScreen() override { ++left; }

    std::vector<COLORREF> swatches;
    int entered = 0;
    int left = 0;
};

inline void Settle() { for (int i = 0; i < 3; ++i) QApplication::processEvents(); }

// A pixel of an image as 0x00BBGGRR.
inline COLORREF PixelAt(const QImage& image, int x, int y) {
    QRgb p = image.pixel(x, y);
    return MakeColour(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)));
}

class BoardFixture : public ::testing::Test {
protected:
    // A board window of w x h pixels (no frame: the viewport fills it when no bar is shown).
    void MakeBoard(int w, int h) {
        board = std::make_unique<CGmGride>(folder.path(), &host);
        board->resize(w, h);
        board->show();
        Settle();
    }
    void Load(const std::vector<std::string>& rows, const std::vector<COLORREF>& palette, const std::string& name = "p") {
        LoadPuzzle(*board, folder.path(), rows, palette, name);
        Settle();
    }
    const BoardModel& model() { return board->Model(); }
    void Change(const std::function<void(BoardModel&)>& edit) { ChangeGame(*board, edit); }
    int s() const { return board->CellSize(); }
    QWidget* viewport() { return board->viewport(); }
    const QImage& Cells() { return board->Images().Cells(); }
    // Pixels of `colour` inside cell (c, r) of the cells image.
    int CountInterior(int c, int r, COLORREF colour) {
        const QRect in = board->Images().CellInterior(c, r);
        int n = 0;
        for (int y = in.top(); y <= in.bottom(); ++y)
            for (int x = in.left(); x <= in.right(); ++x) n += PixelAt(Cells(), x, y) == colour;
        return n;
    }

    // Viewport points in the middle of cell (c, r) and of clue slots (counted from the grid).
    QPoint CellPoint(int c, int r) { return CellCentre(*board, c, r); }
    QPoint ColumnCluePoint(int column, int slot) { return CellPoint(column, -1 - slot); }
    QPoint RowCluePoint(int row, int slot) { return CellPoint(-1 - slot, row); }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(at), QPointF(viewport()->mapToGlobal(at)), button, held, modifiers);
        QApplication::sendEvent(viewport(), &event);
    }
    void Press(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
    }
    void MoveHeld(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    void Tap(QPoint at) { Press(at), Release(at); }
    // What a double click delivers: press, release, double click, release.
    void DoubleTap(QPoint at) {
        Tap(at);
        Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        Release(at);
    }
    // A press held on `at` for `further` events before the release (one offers a reveal).
    void Hold(QPoint at, int further, bool answer) {
        prompts.Answer(answer);
        Press(at);
        for (int i = 0; i < further; ++i) MoveHeld(at);
        Release(at);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(board.get(), &press);
    }

    TempFolder folder;
    RecordingHost host;
    ScriptedPrompts prompts;
    std::unique_ptr<CGmGride> board;
};

}  // namespace mosgrid::test
