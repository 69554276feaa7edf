#pragma once
#include <QDialog>

namespace mosgrid {

class CMailLink;

// "О программе...": the program's title and version, its authors, where to write and how to
// support the project.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);

    // The mail line, when the program has an address to give (nullptr otherwise).
    CMailLink* MailLink() const { return mailLink_; }

    static QString TitleText();
    static QString MailAddress();  // empty when there is none
    static QString SupportText();

private:
    CMailLink* mailLink_ = nullptr;
};

}  // namespace mosgrid
