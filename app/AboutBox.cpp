#include "app/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MailLink.h"
#include "app/ProgramIcon.h"

namespace mosgrid {

QString CAboutBox::TitleText() {
    return QStringLiteral("Mosgrid 1.01\nMosgrid developers\n© 2026");
}

QString CAboutBox::MailAddress() { return QStringLiteral("mosgrid@example.org"); }

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Mosgrid"));

    auto* iconLabel = new QLabel(this);
    const QIcon icon = ProgramIcon();
    if (!icon.isNull()) iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setFixedSize(32, 32);

    auto* title = new QLabel(TitleText(), this);
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(title, 1);

    auto centred = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    };

    mailLink_ = new CMailLink(MailAddress(), this);
    mailLink_->setAlignment(Qt::AlignHCenter);
    mailLink_->SetTarget(QStringLiteral("mailto:") + MailAddress());

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(centred(QStringLiteral(
        "О всех вопросах и пожеланиях относительно этой программы пишите: ")));
    layout->addWidget(mailLink_);
    layout->addSpacing(6);
    layout->addWidget(centred(QStringLiteral("Поддержите проект:")));
    layout->addWidget(centred(QStringLiteral("расскажите о нём друзьям")));
    layout->addStretch(1);
    layout->addWidget(buttons);

    setMinimumWidth(260);
}

}  // namespace mosgrid
