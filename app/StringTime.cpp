#include "app/StringTime.h"

#include <QMouseEvent>

#include "common/ClockTime.h"

namespace mosgrid {

CStringTime::CStringTime(QWidget* parent) : QLabel(parent) {
    setText(QString::fromStdString(TimeText({})));
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Black text on the button face, as a plain static text control shows it.
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
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
