#include "board/ui/GmGride.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "board/core/GameClock.h"
#include "board/ui/GmGrideImpl.h"

namespace mosgrid {

CGmGride::CGmGride(std::filesystem::path programFolder, BoardHost* host, QWidget* parent)
    : QAbstractScrollArea(parent), folder_(std::move(programFolder)), impl_(new Impl) {
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

    if (!model_.Setup(picturePath, name)) {
        // Nothing to play: the board is left without a puzzle, its clock stopped.
        StopTimer();
        impl_->s = kMinCellSize;
        SetScrollRanges(0, 0);
        RepaintNow();
        return;
    }

    impl_->settingUp = true;
    SettleScrollBars();
    const QSize client = viewport()->size();
    impl_->s = ComputeCellSize(client.width(), client.height(), model_.cols(), model_.rows(), model_.K, model_.R);
    horizontalScrollBar()->setPageStep(impl_->s);
    verticalScrollBar()->setPageStep(impl_->s);

    // Both bars present while the viewport is measured.
    SetScrollRanges(1, 1);
    SettleScrollBars();
    const QSize measured = viewport()->size();
    const View view = LayoutAtSetup(Geometry(), measured.width(), measured.height());
    impl_->hx = view.hx;
    impl_->vy = view.vy;
    SetScrollRanges(view.hMax, view.vMax);

    impl_->images.Create(model_, impl_->s, PixelRatio());
    ResetBoard();

    // Bars that the final ranges hide give the viewport more room: centre in that.
    SettleScrollBars();
    impl_->settingUp = false;
    if (viewport()->size() != measured) ApplyResizeLayout();
}

void CGmGride::ResetBoard() {
    if (!model_.HasPuzzle()) return;
    model_.Reset();
    impl_->images.DrawNewGame(model_);
    StartTimer();
    RepaintNow();
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

void CGmGride::ApplyResizeLayout() {
    const QSize client = viewport()->size();
    const View view = LayoutOnResize(Geometry(), client.width(), client.height());
    impl_->hx = view.hx;
    impl_->vy = view.vy;
    SetScrollRanges(view.hMax, view.vMax);
    // The thumbs follow the view back to the board's corner.
    ++impl_->adjusting;
    horizontalScrollBar()->setValue(std::max(view.hx, 0));
    verticalScrollBar()->setValue(std::max(view.vy, 0));
    --impl_->adjusting;
}

void CGmGride::resizeEvent(QResizeEvent*) {
    if (!impl_->settingUp) ApplyResizeLayout();
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
