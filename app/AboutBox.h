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

    CMailLink* MailLink() const { return mailLink_; }

    // The texts that the box shows, for the tests.
    static QString TitleText();
    static QString MailAddress();
    static QString SupportText();

private:
    CMailLink* mailLink_ = nullptr;
};

}  // namespace mosgrid
