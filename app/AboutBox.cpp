#include "app/AboutBox.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MailLink.h"
#include "app/ProgramIcon.h"

namespace mosgrid {

namespace {

// The box's own lines: title with version, authors, years, mail address, support line. The
// resources may carry them (":/about.txt", one a line); these stand in when they do not. The
// project has no mail address to give: with none, the box shows no mail line at all.
QStringList AboutLines() {
    QStringList lines = {QStringLiteral("Mosgrid 1.01"), QStringLiteral("Разработчики Mosgrid"),
                         QStringLiteral("© 2026"), QString(), QStringLiteral("Расскажите о Mosgrid друзьям!")};
    InitResources();
    QFile file(QStringLiteral(":/about.txt"));
    if (file.open(QIODevice::ReadOnly)) {
        const QStringList read = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size() && i < read.size(); ++i)
            if (!read[i].trimmed().isEmpty()) lines[i] = read[i].trimmed();
    }
    return lines;
}

}  // namespace

QString CAboutBox::TitleText() {
    const QStringList lines = AboutLines();
    return lines[0] + QLatin1Char('\n') + lines[1] + QLatin1Char('\n') + lines[2];
}

QString CAboutBox::MailAddress() { return AboutLines()[3]; }

QString CAboutBox::SupportText() { return AboutLines()[4]; }

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


    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    if (const QString address = MailAddress(); !address.isEmpty()) {
        layout->addWidget(centred(QStringLiteral(
            "О всех вопросах и пожеланиях относительно этой программы пишите: ")));
        mailLink_ = new CMailLink(address, this);
        mailLink_->setAlignment(Qt::AlignHCenter);
        mailLink_->SetTarget(QStringLiteral("mailto:") + address);
        layout->addWidget(mailLink_);
        layout->addSpacing(6);
    }
    layout->addWidget(centred(QStringLiteral("Поддержите проект:")));
    layout->addWidget(centred(SupportText()));
    layout->addStretch(1);
    layout->addWidget(buttons);

    setMinimumWidth(260);
}

}  // namespace mosgrid
