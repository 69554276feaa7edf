// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutBox.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ProgramIcon.h"

namespace mosgrid {

namespace {

// The box's own lines: title with the program's version, authors, years, support line. The
// resources may carry all but the title (":/about.txt", one a line); these stand in when they do
// not. The project has no mail address to give, so the box offers none (no line inviting mail, no
// mail link).
QStringList AboutLines() {
    QStringList lines = {QStringLiteral("Mosgrid " MOSGRID_VERSION), QStringLiteral("Разработчики Mosgrid"),
                         QStringLiteral("© 2026"), QStringLiteral("Расскажите о Mosgrid друзьям!")};
    InitResources();
    QFile file(QStringLiteral(":/about.txt"));
    if (file.open(QIODevice::ReadOnly)) {
        const QStringList read = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (int i = 1; i < lines.size() && i - 1 < read.size(); ++i)
            if (!read[i - 1].trimmed().isEmpty()) lines[i] = read[i - 1].trimmed();
    }
    return lines;
}

}  // namespace

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Mosgrid"));
    const QStringList lines = AboutLines();

    auto* iconLabel = new QLabel(this);
    const QIcon icon = ProgramIcon();
    if (!icon.isNull()) iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setFixedSize(32, 32);

    auto* title = new QLabel(lines.mid(0, 3).join(QLatin1Char('\n')), this);
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
    layout->addWidget(centred(QStringLiteral("Поддержите проект:")));
    layout->addWidget(centred(lines[3]));
    layout->addStretch(1);
    layout->addWidget(buttons);

    setMinimumWidth(260);
}

}  // namespace mosgrid
