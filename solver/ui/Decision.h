#pragma once
#include <QDialog>

#include <cstdint>
#include <functional>

#include "solver/core/ProgressTracker.h"
#include "solver/core/SolveProgress.h"

class QProgressBar;

namespace mosgrid {

// The check's progress dialog "Решение": one progress bar, driven by the search through
// CSolveProgress. It stays hidden for the first second of the check, so a quick check never
// shows it, and then shows and paints itself at once (the search dispatches no user input, so
// the dialog cannot count on the event loop). The player cannot close it: every close request
// is answered by a message and the dialog stays; the check destroys it when the search is over.
class CDecision : public QDialog, public CSolveProgress {
    Q_OBJECT
public:
    using Clock = std::function<std::uint32_t()>;
    // clock: the tick count in milliseconds (the monotonic clock unless a test gives its own).
    explicit CDecision(QWidget* parent = nullptr, Clock clock = {});
    ~CDecision() override;

    void SetRange(std::uint32_t total) override;
    void SetPos(std::uint32_t position) override;
    std::uint32_t GetPos() override;
    void StepIt() override;

    // When the check started (the last SetRange), in the clock's milliseconds.
    std::uint32_t StartTime() const { return tracker_.Start(); }
    std::uint32_t Now() const { return clock_(); }
    QProgressBar* Bar() const { return bar_; }
    const ProgressTracker& Tracker() const { return tracker_; }

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Apply(ProgressTracker::Effect effect, std::uint32_t position);
    void RefuseToClose();

    Clock clock_;
    ProgressTracker tracker_;
    QProgressBar* bar_ = nullptr;
};

}  // namespace mosgrid
