#pragma once
#include <QLabel>
#include <QString>

namespace mosgrid {

// A line of text in the About box that opens a mail to the address it shows: blue, underlined,
// and a click hands its target to the mail program.
class CMailLink : public QLabel {
    Q_OBJECT
public:
    explicit CMailLink(const QString& text, QWidget* parent = nullptr);

    // What a click opens, for example "mailto:someone@example.org". Empty: the text itself.
    void SetTarget(const QString& target) { target_ = target; }
    const QString& Target() const { return target_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString target_;
};

}  // namespace mosgrid
