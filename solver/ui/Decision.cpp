// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/ui/Decision.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace mosgrid {
namespace {

int BarValue(std::uint32_t value) { return int(std::min<std::uint32_t>(value, 0x7fffffff)); }

}  // namespace

CDecision::CDecision(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Решение"));
    setModal(false);
    // 136 x 48 dialog units: the bar at (7, 7), 122 x 16, the button below it at the right.
    // A dialog unit is a quarter of the average character width across and an eighth of the
    // font height down.
    const QFontMetrics metrics(font());
    const double du = metrics.averageCharWidth() / 4.0;
    const double dv = metrics.height() / 8.0;
    auto across = [du](int units) { return int(units * du + 0.5); };
    auto down = [dv](int units) { return int(units * dv + 0.5); };
    setFixedSize(across(136), down(48));
    bar_ = new QProgressBar(this);
    bar_->setGeometry(across(7), down(7), across(122), down(16));
    bar_->setTextVisible(false);
    bar_->setRange(0, 0x7fffffff);
    bar_->setValue(0);
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    const int buttonHeight = std::max(down(14), cancel_->sizeHint().height());
    const int buttonWidth = std::max(across(50), cancel_->sizeHint().width());
    cancel_->setGeometry(across(129) - buttonWidth, down(27), buttonWidth, buttonHeight);
    setFixedHeight(std::max(height(), cancel_->geometry().bottom() + down(7)));
    connect(cancel_, &QPushButton::clicked, this, &CDecision::cancelRequested);
}

CDecision::~CDecision() = default;

void CDecision::SetRange(std::uint32_t total) {
    bar_->setRange(0, BarValue(total));
    bar_->setValue(0);
}

void CDecision::SetBarPosition(std::uint32_t position) {
    if (bar_->value() != BarValue(position)) bar_->setValue(BarValue(position));
}

void CDecision::reject() { emit cancelRequested(); }

// The close goes through: the dialog hides at once, and the application's quit (which closes
// every window first and gives up if one refuses) is never held up by it.
void CDecision::closeEvent(QCloseEvent* event) {
    event->accept();
    emit cancelRequested();
}

}  // namespace mosgrid
