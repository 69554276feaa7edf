// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/ui/GmGride.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "board/ui/GmGrideImpl.h"

namespace mosgrid {

CGmGride::CGmGride(GameFolders folders, BoardHost* host, QWidget* parent)
    : QAbstractScrollArea(parent), folders_(std::move(folders)), impl_(new Impl) {
    impl_->host = host;
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setRange(0, 0);
        bar->setSingleStep(1);
        bar->setPageStep(kMinCellSize);
    }
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { OnScrollAction(true, a); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { OnScrollAction(false, a); });
    QScreen* where = screen();
    impl_->backgrounds = LoadBackgrounds(where ? where->geometry().width() : 640);
}

CGmGride::~CGmGride() {
    StopTimer();
    delete impl_;
}

int CGmGride::CellSize() const { return impl_->s; }
int CGmGride::HorizontalOffset() const { return impl_->hx; }
int CGmGride::VerticalOffset() const { return impl_->vy; }
Panes CGmGride::ViewPanes() const {
    return PinnedPanes(Geometry(), impl_->hx, impl_->vy, viewport()->width(), viewport()->height());
}
const BoardImages& CGmGride::Images() const { return impl_->images; }
bool CGmGride::IsFullScreen() const { return impl_->fullScreen; }
const BoardModel& CGmGride::Model() const { return game_.Model(); }
const BoardModel& CGmGride::Shown() const { return impl_->search ? *impl_->search : game_.Model(); }

BoardGeometry CGmGride::Geometry() const {
    const BoardModel& m = Shown();
    return BoardGeometry{m.cols(), m.rows(), m.K, m.R, impl_->s};
}

// ---- Set-up -------------------------------------------------------------------------------

void CGmGride::SetupPuzzle(const std::filesystem::path& picturePath, const std::u16string& name) {
    impl_->hx = 0;
    impl_->vy = 0;
    ++impl_->adjusting;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    --impl_->adjusting;
    impl_->images.Release();
    Apply(game_.Load(picturePath, name));

    if (!game_.Model().HasPuzzle()) {
        // Nothing to play: the board is left without a puzzle, its clock stopped.
        impl_->s = kMinCellSize;
        game_.SetRevealPenalty(kMinCellSize);
        SetScrollRanges(0, 0);
        RepaintNow();
        return;
    }

    impl_->s = FittingCellSize();
    // The penalty is as many minutes as the cell was pixels wide when the puzzle was set up, so
    // zooming in cannot make a reveal cheaper.
    game_.SetRevealPenalty(impl_->s);
    impl_->images.Create(game_.Model(), impl_->s, PixelRatio());
    Relayout(true);
    ResetBoard();
}

void CGmGride::ResetBoard() {
    if (!game_.Model().HasPuzzle()) return;
    Apply(game_.Restart());
}

bool CGmGride::RestorePlay(const BoardModel& saved) {
    const std::optional<GameChange> change = game_.Restore(saved);
    if (!change) return false;
    Apply(*change);
    return true;
}

// ---- Layout and scrolling -----------------------------------------------------------------

void CGmGride::SettleScrollBars() {
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &request);
}

void CGmGride::SetScrollRanges(int hMax, int vMax) {
    ++impl_->adjusting;
    horizontalScrollBar()->setRange(0, hMax);
    verticalScrollBar()->setRange(0, vMax);
    --impl_->adjusting;
}

// The largest cell size that shows the whole board in the board's area without scroll bars.
int CGmGride::FittingCellSize() const {
    const QSize area = contentsRect().size();
    return ComputeCellSize(area.width(), area.height(), Shown().cols(), Shown().rows(), Shown().K, Shown().R);
}

void CGmGride::SetCellSize(int size) {
    size = std::max(size, kMinCellSize);
    if (!Shown().HasPuzzle() || size == impl_->s) return;
    impl_->s = size;
    horizontalScrollBar()->setPageStep(size);
    verticalScrollBar()->setPageStep(size);
    RebuildImages();
}

void CGmGride::FitToWindow() {
    SetCellSize(FittingCellSize());
    Relayout(false);
    RepaintNow();
}

void CGmGride::Zoom(int steps) {
    SetCellSize(impl_->s + steps);
    Relayout(false);
    RepaintNow();
}

int CGmGride::PenaltyMinutes() const { return game_.RevealPenalty(); }

// A bar takes room from the other direction, so whether each bar is needed is settled against
// the room the other one leaves; a board that fits the whole area never shows a bar. The area
// is measured again once the bars are in place.
void CGmGride::Relayout(bool atSetup) {
    if (impl_->settingUp) return;
    impl_->settingUp = true;
    const BoardGeometry g = Geometry();
    const QSize area = contentsRect().size();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    int w = area.width();
    int h = area.height();
    for (int pass = 0; pass < 2; ++pass) {
        const bool horizontal = HorizontalOverflow(g, w) > 0;
        const bool vertical = VerticalOverflow(g, h) > 0;
        w = area.width() - (vertical ? barWidth : 0);
        h = area.height() - (horizontal ? barHeight : 0);
    }
    for (int pass = 0; pass < 2; ++pass) {
        const View view = atSetup ? LayoutAtSetup(g, w, h) : LayoutOnResize(g, w, h);
        impl_->hx = view.hx;
        impl_->vy = view.vy;
        SetScrollRanges(view.hMax, view.vMax);
        ++impl_->adjusting;
        horizontalScrollBar()->setValue(std::max(view.hx, 0));
        verticalScrollBar()->setValue(std::max(view.vy, 0));
        --impl_->adjusting;
        SettleScrollBars();
        const QSize shown = viewport()->size();
        if (shown == QSize(w, h)) break;
        w = shown.width();
        h = shown.height();
    }
    impl_->settingUp = false;
}

// A resize, a maximised window or full-screen mode: the board is fitted to the new area.
void CGmGride::resizeEvent(QResizeEvent*) {
    if (impl_->settingUp) return;
    if (!Shown().HasPuzzle()) return;
    SetCellSize(FittingCellSize());
    Relayout(false);
}

void CGmGride::OnScrollAction(bool horizontal, int action) {
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int minimum = bar->minimum();
    const int limit = bar->maximum();
    if (minimum == limit) return;
    int code = SB_ENDSCROLL;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        default: break;
    }
    // The slider has already moved by its own rule; put it where the board's rule says. The
    // new value then reaches scrollContentsBy, which moves the view.
    bar->setSliderPosition(ScrollPosition(code, bar->value(), minimum, limit, impl_->s, bar->sliderPosition()));
}

void CGmGride::scrollContentsBy(int dx, int dy) {
    if (impl_->adjusting > 0) return;
    if (dx != 0) impl_->hx = horizontalScrollBar()->value();
    if (dy != 0) impl_->vy = verticalScrollBar()->value();
    RepaintNow();
}

void CGmGride::ScrollByKey(bool horizontal, int direction) {
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    if (bar->minimum() == bar->maximum()) return;
    const int p = bar->value();
    const int next = KeyScrollPosition(direction, p, bar->minimum(), bar->maximum(), impl_->s);
    if (next == p) return;
    ++impl_->adjusting;
    bar->setValue(next);
    --impl_->adjusting;
    (horizontal ? impl_->hx : impl_->vy) = next;
    RepaintNow();
}

// Full-screen mode's F11 and Esc and the zoom keys belong to the main window, which answers
// them wherever the focus is; the cursor's keys come first.
void CGmGride::keyPressEvent(QKeyEvent* event) {
    if (CursorKey(event)) {
        event->accept();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            impl_->hx = 0;
            impl_->vy = 0;
            ++impl_->adjusting;
            horizontalScrollBar()->setValue(0);
            verticalScrollBar()->setValue(0);
            --impl_->adjusting;
            if (impl_->fullScreen) {
                LeaveFullScreen();
            } else {
                EnterFullScreen();
            }
            RepaintNow();
            break;
        case Qt::Key_Left: ScrollByKey(true, -1); break;
        case Qt::Key_Right: ScrollByKey(true, +1); break;
        case Qt::Key_Up: ScrollByKey(false, -1); break;
        case Qt::Key_Down: ScrollByKey(false, +1); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

// The wheel scrolls one cell a notch, with Shift across; with Ctrl it zooms.
void CGmGride::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool across = (event->modifiers() & Qt::ShiftModifier) || (delta.y() == 0 && delta.x() != 0);
    // Fine-grained wheels and touchpads send parts of a notch: they add up.
    impl_->wheelRest += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = impl_->wheelRest / 120;
    impl_->wheelRest %= 120;
    event->accept();
    if (notches == 0) return;
    if (event->modifiers() & Qt::ControlModifier) {
        Zoom(notches);
        return;
    }
    for (int i = 0; i < std::abs(notches); ++i) ScrollByKey(across, notches > 0 ? -1 : +1);
}

// ---- Full-screen mode ---------------------------------------------------------------------

void CGmGride::EnterFullScreen() {
    if (impl_->fullScreen) return;
    if (impl_->host) impl_->host->EnterFullScreen();
    impl_->fullScreen = true;
}

void CGmGride::LeaveFullScreen() {
    if (!impl_->fullScreen) return;
    if (impl_->host) impl_->host->LeaveFullScreen();
    impl_->fullScreen = false;
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

// ---- Drawing ------------------------------------------------------------------------------

double CGmGride::PixelRatio() const { return viewport()->devicePixelRatioF(); }

void CGmGride::RebuildImages() {
    if (!Shown().HasPuzzle()) return;
    impl_->images.Rebuild(Shown(), impl_->s, PixelRatio());
    ShowVerdicts();
}

void CGmGride::paintEvent(QPaintEvent* event) {
    const double ratio = PixelRatio();
    if (impl_->images.Exists() && impl_->images.Ratio() != ratio) RebuildImages();
    const QSize size = viewport()->size() * ratio;
    if (impl_->frame.size() != size) impl_->frame = QImage(size, QImage::Format_RGB32);
    if (impl_->frame.isNull()) return;
    // The logical rectangle to paint in device pixels, widened to whole pixels. The frame is
    // composed pixel by pixel, so its own ratio only tells the painter how to place it.
    const QRectF area = QRectF(event->rect());
    const QRect clip = QRect(QPoint(int(std::floor(area.left() * ratio)) - 1, int(std::floor(area.top() * ratio)) - 1),
                             QPoint(int(std::ceil(area.right() * ratio)) + 1, int(std::ceil(area.bottom() * ratio)) + 1))
                           .intersected(impl_->frame.rect());
    impl_->images.Compose(impl_->frame, clip, impl_->backgrounds.For(width(), height(), size), ViewPanes());
    DrawCursor(impl_->frame, ratio);
    impl_->frame.setDevicePixelRatio(ratio);
    QPainter painter(viewport());
    painter.drawImage(QRectF(clip.left() / ratio, clip.top() / ratio, clip.width() / ratio, clip.height() / ratio),
                      impl_->frame, QRectF(clip));
}

QImage CGmGride::ComposedImage() {
    const double ratio = PixelRatio();
    if (impl_->images.Exists() && impl_->images.Ratio() != ratio) RebuildImages();
    const QSize size = viewport()->size() * ratio;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    impl_->images.Compose(image, image.rect(), impl_->backgrounds.For(width(), height(), size), ViewPanes());
    DrawCursor(image, ratio);
    image.setDevicePixelRatio(ratio);
    return image;
}

void CGmGride::RepaintNow() { viewport()->repaint(); }

// ---- Game clock ---------------------------------------------------------------------------

void CGmGride::StartTimer() {
    StopTimer();
    if (game_.ClockRunning() && !impl_->search) impl_->timerId = startTimer(1000);
    ShowTime();
}

bool CGmGride::ClockRunning() const { return game_.ClockRunning(); }

void CGmGride::StopTimer() {
    if (impl_->timerId == 0) return;
    killTimer(impl_->timerId);
    impl_->timerId = 0;
}

void CGmGride::ShowTime() {
    const BoardModel& m = game_.Model();
    if (impl_->host) impl_->host->ShowElapsedTime(m.hours, m.minutes, m.seconds);
}

void CGmGride::timerEvent(QTimerEvent* event) {
    if (event->timerId() != impl_->timerId || impl_->timerId == 0) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    Apply(game_.Tick());
}

}  // namespace mosgrid
