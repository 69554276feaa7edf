#include "solver/ui/Decision.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QProgressBar>

#include <algorithm>

#include "app/Prompts.h"
#include "solver/core/CheckReport.h"
#include "solver/core/TickCount.h"

namespace mosgrid {

CDecision::CDecision(QWidget* parent, Clock clock)
    : QDialog(parent), clock_(clock ? std::move(clock) : Clock(TickCount)), tracker_(clock_()) {
    setWindowTitle(QStringLiteral("Решение"));
    setModal(false);
    // 136 x 30 dialog units with the bar at (7, 7), 122 x 16: a dialog unit is a quarter of the
    // average character width across and an eighth of the font height down.
    const QFontMetrics metrics(font());
    const double du = metrics.averageCharWidth() / 4.0;
    const double dv = metrics.height() / 8.0;
    auto across = [du](int units) { return int(units * du + 0.5); };
    auto down = [dv](int units) { return int(units * dv + 0.5); };
    setFixedSize(across(136), down(30));
    bar_ = new QProgressBar(this);
    bar_->setGeometry(across(7), down(7), across(122), down(16));
    bar_->setTextVisible(false);
    bar_->setRange(0, 0x7fffffff);
    bar_->setValue(0);
}

CDecision::~CDecision() = default;

void CDecision::SetRange(std::uint32_t total) {
    bar_->setRange(0, int(std::min<std::uint32_t>(total, 0x7fffffff)));
    tracker_.SetRange(total, clock_());
}

void CDecision::SetPos(std::uint32_t position) {
    const ProgressTracker::Effect effect = tracker_.SetPos(position, clock_());
    Apply(effect, tracker_.Position());
}

std::uint32_t CDecision::GetPos() { return tracker_.Position(); }

void CDecision::StepIt() {
    const ProgressTracker::Effect effect = tracker_.StepIt(clock_());
    Apply(effect, tracker_.Position());
}

void CDecision::Apply(ProgressTracker::Effect effect, std::uint32_t position) {
    if (effect.moveBar) bar_->setValue(int(std::min<std::uint32_t>(position, 0x7fffffff)));
    if (effect.show) {
        show();
        // The window system has to map the window before it can be painted. Its events are
        // taken here without any user input, which stays queued until the check is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        repaint();
    }
}

void CDecision::RefuseToClose() {
    Prompts::Current().Tell(this, QString::fromUtf8(kCheckWaitMessage));
}

void CDecision::done(int) { RefuseToClose(); }

void CDecision::reject() { RefuseToClose(); }

void CDecision::closeEvent(QCloseEvent* event) {
    event->ignore();
    RefuseToClose();
}

}  // namespace mosgrid
