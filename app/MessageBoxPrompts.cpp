// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxPrompts.h"

#include <QMessageBox>
#include <QPushButton>

namespace mosgrid {
namespace {

Prompts* installed = nullptr;

int Show(QWidget* parent, QMessageBox::Icon icon, const std::string& text, bool question) {
    QMessageBox box(icon, QStringLiteral("Mosgrid"), QString::fromStdString(text), QMessageBox::NoButton, parent);
    if (question) {
        QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? 1 : 0;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return 1;
}

}  // namespace

Prompts& Prompts::Current() {
    static MessageBoxPrompts real;
    return installed ? *installed : real;
}

void Prompts::Install(Prompts* prompts) { installed = prompts; }

bool MessageBoxPrompts::Ask(QWidget* parent, const std::string& text) {
    return Show(parent, QMessageBox::Question, text, true) == 1;
}
void MessageBoxPrompts::Tell(QWidget* parent, const std::string& text) {
    Show(parent, QMessageBox::NoIcon, text, false);
}
void MessageBoxPrompts::Refuse(QWidget* parent, const std::string& text) {
    Show(parent, QMessageBox::Critical, text, false);
}

}  // namespace mosgrid
