// SPDX-License-Identifier: GPL-3.0-or-later
// The board window's keyboard cursor: the first cell key shows it, the arrows then move it a cell
// at a time (with Shift carrying the last change on as a drag), the cell keys play the cell or
// clue under it, and Esc or a mouse press hides it, so that the arrows scroll again. Tab and
// Shift+Tab step the current colour whether it shows or not. What each key does to the game is
// the game's own (Game::KeyCell and the operations beside it).
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "board/ui/GmGride.h"
#include "board/ui/GmGrideImpl.h"

namespace mosgrid {
namespace {

// The letters on the same keys of the Russian layout, so that the keys work in either.
constexpr int kKeyChe = 0x0427;    // Ч, on the X key
constexpr int kKeyShcha = 0x0429;  // Щ, on the O key

bool IsCellKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_X || key == kKeyChe || key == Qt::Key_Delete || key == Qt::Key_Backspace;
}

}  // namespace

std::optional<QPoint> CGmGride::CursorPosition() const { return impl_->cursor; }

// Esc belongs to the cursor while it shows (the window's own Esc leaves full-screen mode
// otherwise), and Tab to the colours rather than to the focus chain.
bool CGmGride::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && impl_->cursor &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool CGmGride::CursorKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers & ~Qt::ShiftModifier) return false;
    const int key = event->key();
    if (impl_->search || !game_.Model().HasPuzzle()) return key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        Apply(game_.NextColour(key == Qt::Key_Tab ? +1 : -1));
        return true;
    }
    if (!impl_->cursor) {
        if (!IsCellKey(key) || game_.Model().gameOver != 0) return false;
        ShowCursor();
        return true;
    }
    const bool drag = modifiers == Qt::ShiftModifier;
    const QPoint at = *impl_->cursor;
    const bool onCell = at.x() >= 0 && at.y() >= 0;
    switch (key) {
        case Qt::Key_Escape: HideCursor(); return true;
        case Qt::Key_Left: MoveCursor(-1, 0, drag); return true;
        case Qt::Key_Right: MoveCursor(+1, 0, drag); return true;
        case Qt::Key_Up: MoveCursor(0, -1, drag); return true;
        case Qt::Key_Down: MoveCursor(0, +1, drag); return true;
        case Qt::Key_Space:
            if (onCell) {
                Apply(game_.KeyCell(at.x(), at.y(), CellKey::Mark), true);
            } else if (at.x() < 0) {
                Apply(game_.CrossClue(false, at.y(), -1 - at.x()), true);
            } else {
                Apply(game_.CrossClue(true, at.x(), -1 - at.y()), true);
            }
            break;
        case Qt::Key_X:
        case kKeyChe:
            if (onCell) Apply(game_.KeyCell(at.x(), at.y(), CellKey::Cross), true);
            break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (onCell) Apply(game_.KeyCell(at.x(), at.y(), CellKey::Clear), true);
            break;
        case Qt::Key_O:
        case kKeyShcha:
            // The reveal of the line whose clues the cursor is on.
            if (!onCell) Apply(game_.AskReveal(at.y() < 0, at.y() < 0 ? at.x() : at.y()));
            break;
        default: return false;
    }
    RepaintNow();
    return true;
}

// The cursor shows on the cell the mouse last pressed, or else on the first cell in view (right
// of and below the clue areas, which may be pinned over the cells).
void CGmGride::ShowCursor() {
    const BoardModel& m = game_.Model();
    QPoint at = impl_->mouseCell;
    if (at.x() < 0 || at.y() < 0 || at.x() >= m.cols() || at.y() >= m.rows()) {
        const Panes p = ViewPanes();
        at = QPoint(0, 0);
        while (at.x() + 1 < m.cols() && CursorRect(at).left() < m.R * impl_->s - p.pinnedX) at.rx()++;
        while (at.y() + 1 < m.rows() && CursorRect(at).top() < m.K * impl_->s - p.pinnedY) at.ry()++;
    }
    impl_->cursor = at;
    ScrollToCursor();
    RepaintNow();
}

void CGmGride::HideCursor() {
    if (!impl_->cursor) return;
    impl_->cursor.reset();
    RepaintNow();
}

// One cell at a time over the grid and both clue areas, never into the corner or off the board.
void CGmGride::MoveCursor(int dx, int dy, bool drag) {
    const BoardModel& m = game_.Model();
    const QPoint from = *impl_->cursor;
    const QPoint to = from + QPoint(dx, dy);
    if (to.x() < -m.R || to.y() < -m.K || to.x() >= m.cols() || to.y() >= m.rows() || (to.x() < 0 && to.y() < 0)) return;
    impl_->cursor = to;
    if (drag && from.x() >= 0 && from.y() >= 0 && to.x() >= 0 && to.y() >= 0)
        Apply(game_.KeyDrag(from.x(), from.y(), to.x(), to.y()), true);
    if (!impl_->cursor) return;  // the drag ended the game
    ScrollToCursor();
    RepaintNow();
}

// A clue's box lies where its clue area is, pinned or not.
QRect CGmGride::CursorRect(QPoint at) const {
    const BoardModel& m = Shown();
    const int s = impl_->s;
    const Panes p = ViewPanes();
    return QRect((m.R + at.x()) * s - (at.x() < 0 ? p.pinnedX : p.hx), (m.K + at.y()) * s - (at.y() < 0 ? p.pinnedY : p.vy),
                 s + 1, s + 1);
}

// The view scrolls a cell at a time, as the arrows scroll it, until the cursor is in sight: a
// cell right of and below the clue areas (which may be pinned over the cells), a clue in the
// window; it never scrolls a box's far edge into view at the cost of its near edge.
void CGmGride::ScrollToCursor() {
    if (!impl_->cursor) return;
    const int s = impl_->s;
    const QPoint at = *impl_->cursor;
    for (;;) {
        const QRect box = CursorRect(at);
        const Panes p = ViewPanes();
        const int nearX = at.x() >= 0 ? Shown().R * s - p.pinnedX : 0;
        const int nearY = at.y() >= 0 ? Shown().K * s - p.pinnedY : 0;
        const int hx = impl_->hx;
        const int vy = impl_->vy;
        if (box.left() < nearX) {
            ScrollByKey(true, -1);
        } else if (box.right() >= viewport()->width() && box.left() >= nearX + s) {
            ScrollByKey(true, +1);
        }
        if (box.top() < nearY) {
            ScrollByKey(false, -1);
        } else if (box.bottom() >= viewport()->height() && box.top() >= nearY + s) {
            ScrollByKey(false, +1);
        }
        if (hx == impl_->hx && vy == impl_->vy) return;
    }
}

// A black ring over the box's grid lines with a white one inside it: one of the two stands out
// on every cell colour, on the clues and on the background.
void CGmGride::DrawCursor(QImage& image, double ratio) const {
    if (!impl_->cursor) return;
    const QRect box = CursorRect(*impl_->cursor);
    const int left = int(std::lround(box.left() * ratio));
    const int top = int(std::lround(box.top() * ratio));
    const int right = int(std::lround((box.left() + impl_->s) * ratio));
    const int bottom = int(std::lround((box.top() + impl_->s) * ratio));
    // A tenth of the cell each, at least 2 and 1 device pixels, so that the cursor stands out
    // from the grid's lines at every cell size.
    const int cell = right - left;
    const int dark = std::max(2, cell / 10);
    const int light = std::max(1, cell / 10);
    image.setDevicePixelRatio(1.0);
    QPainter painter(&image);
    const auto ring = [&painter](QRect outer, int width, Qt::GlobalColor colour) {
        painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
        painter.fillRect(QRect(outer.left(), outer.bottom() - width + 1, outer.width(), width), colour);
        painter.fillRect(QRect(outer.left(), outer.top(), width, outer.height()), colour);
        painter.fillRect(QRect(outer.right() - width + 1, outer.top(), width, outer.height()), colour);
    };
    const QRect outer(QPoint(left - dark / 2, top - dark / 2), QPoint(right + dark / 2, bottom + dark / 2));
    ring(outer, dark, Qt::black);
    ring(outer.adjusted(dark, dark, -dark, -dark), light, Qt::white);
}

}  // namespace mosgrid
