// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StringTime.h"

#include <QMouseEvent>

#include "common/ClockTime.h"

namespace mosgrid {

CStringTime::CStringTime(QWidget* parent) : QLabel(parent) {
    setText(QString::fromStdString(TimeText({})));
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The button's text on the button face, as a plain static text control shows it: black on
    // grey with a light palette, and readable with a dark one, following the palette as it changes.
    setForegroundRole(QPalette::ButtonText);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void CStringTime::GiveFocusToBoard() {
    if (board_) board_->setFocus(Qt::OtherFocusReason);
}

void CStringTime::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    GiveFocusToBoard();
}

void CStringTime::mousePressEvent(QMouseEvent* event) {
    // The click goes no further than handing the focus back.
    event->accept();
    GiveFocusToBoard();
}

}  // namespace mosgrid
