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

#include "board/core/GameClock.h"
#include "board/core/LineCheck.h"
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
const BoardImages& CGmGride::Images() const { return impl_->images; }
bool CGmGride::IsFullScreen() const { return impl_->fullScreen; }

BoardGeometry CGmGride::Geometry() const {
    return BoardGeometry{model_.cols(), model_.rows(), model_.K, model_.R, impl_->s};
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
    ClearHistory();

    if (!model_.Setup(picturePath, name)) {
        // Nothing to play: the board is left without a puzzle, its clock stopped.
        StopTimer();
        impl_->s = impl_->setupS = kMinCellSize;
        SetScrollRanges(0, 0);
        RepaintNow();
        return;
    }

    impl_->s = impl_->setupS = FittingCellSize();
    impl_->images.Create(model_, impl_->s, PixelRatio());
    Relayout(true);
    ResetBoard();
}

void CGmGride::ResetBoard() {
    if (!model_.HasPuzzle()) return;
    ClearHistory();
    model_.Reset();
    impl_->images.DrawNewGame(model_);
    StartTimer();
    RepaintNow();
}

bool CGmGride::RestorePlay(const BoardModel& saved) {
    if (!model_.HasPuzzle() || !model_.AdoptPlay(saved)) return false;
    ClearHistory();
    RenderBoardFromState();
    // The clock starts again from the restored time: a full second to its next tick, and the
    // label shows the time at once.
    StartTimer();
    RepaintNow();
    return true;
}

void CGmGride::RenderBoardFromState() { impl_->images.RenderFromState(model_); }

void CGmGride::PaintCell(int column, int row) {
    if (!model_.HasPuzzle() || column < 0 || row < 0 || column >= model_.cols() || row >= model_.rows()) return;
    impl_->images.DrawCell(model_, column, row);
}

void CGmGride::SetCurrentColour(COLORREF colour) {
    if (colour == model_.currentColour || colour == kWhite) return;
    model_.currentColour = colour;
    if (impl_->host) impl_->host->ShowCurrentColour(colour);
}

void CGmGride::ApplyFirstPuzzleColour() {
    COLORREF first = 0;
    if (!model_.FirstPuzzleColour(first)) return;
    model_.currentColour = first;
    if (impl_->host) impl_->host->ShowCurrentColour(first);
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
    return ComputeCellSize(area.width(), area.height(), model_.cols(), model_.rows(), model_.K, model_.R);
}

void CGmGride::SetCellSize(int size) {
    size = std::max(size, kMinCellSize);
    if (!model_.HasPuzzle() || size == impl_->s) return;
    impl_->s = size;
    horizontalScrollBar()->setPageStep(size);
    verticalScrollBar()->setPageStep(size);
    impl_->images.Rebuild(model_, size, PixelRatio());
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

int CGmGride::PenaltyMinutes() const { return impl_->setupS; }

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
    if (!model_.HasPuzzle()) return;
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

void CGmGride::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        switch (event->key()) {
            case Qt::Key_Plus:
            case Qt::Key_Equal: Zoom(+1); break;
            case Qt::Key_Minus: Zoom(-1); break;
            case Qt::Key_0: FitToWindow(); break;
            default: QWidget::keyPressEvent(event); return;
        }
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_F11:
            if (impl_->fullScreen) {
                LeaveFullScreen();
            } else {
                EnterFullScreen();
            }
            break;
        case Qt::Key_Escape:
            if (!impl_->fullScreen) {
                QWidget::keyPressEvent(event);
                return;
            }
            LeaveFullScreen();
            break;
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
    if (!model_.HasPuzzle()) return;
    impl_->images.Rebuild(model_, impl_->s, PixelRatio());
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
    impl_->images.Compose(impl_->frame, clip, impl_->backgrounds.For(width(), height(), size), impl_->hx, impl_->vy);
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
    impl_->images.Compose(image, image.rect(), impl_->backgrounds.For(width(), height(), size), impl_->hx, impl_->vy);
    image.setDevicePixelRatio(ratio);
    return image;
}

void CGmGride::RepaintNow() { viewport()->repaint(); }

// ---- Game clock ---------------------------------------------------------------------------

void CGmGride::StartTimer() {
    if (impl_->timerId != 0) killTimer(impl_->timerId);
    impl_->timerId = startTimer(1000);
    ShowTime();
}

bool CGmGride::ClockRunning() const { return impl_->timerId != 0; }

void CGmGride::StopTimer() {
    if (impl_->timerId == 0) return;
    killTimer(impl_->timerId);
    impl_->timerId = 0;
}

void CGmGride::ShowTime() {
    if (impl_->host) impl_->host->ShowElapsedTime(model_.hours, model_.minutes, model_.seconds);
}

void CGmGride::timerEvent(QTimerEvent* event) {
    if (event->timerId() != impl_->timerId || impl_->timerId == 0) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    TickClock(model_);
    ShowTime();
}

}  // namespace mosgrid
