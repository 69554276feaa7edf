#include "app/MailLink.h"

#include <QMouseEvent>
#include <QUrl>

#include "app/UrlOpener.h"

namespace mosgrid {

CMailLink::CMailLink(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
}

void CMailLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (target_.isEmpty()) target_ = text();
        OpenUrl(QUrl(target_));
    }
    QLabel::mousePressEvent(event);
}

}  // namespace mosgrid
