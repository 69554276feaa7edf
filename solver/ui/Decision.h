// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include <cstdint>

class QProgressBar;
class QPushButton;

namespace mosgrid {

// The check's progress dialog "Решение": a progress bar and the button «Отмена». The check
// keeps it hidden for the first second, so a quick check never shows it, and moves its bar
// while the search runs on its own thread. «Отмена», Escape and closing the window all ask for
// the check to be cancelled; a close also hides the dialog at once.
class CDecision : public QDialog {
    Q_OBJECT
public:
    explicit CDecision(QWidget* parent = nullptr);
    ~CDecision() override;

    // The bar's range: the number of cells of the puzzle.
    void SetRange(std::uint32_t total);
    void SetBarPosition(std::uint32_t position);
    QProgressBar* Bar() const { return bar_; }
    QPushButton* CancelButton() const { return cancel_; }

signals:
    // The player asked to cancel the check.
    void cancelRequested();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace mosgrid
