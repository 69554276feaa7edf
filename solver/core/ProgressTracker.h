// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace mosgrid {

// The numbers behind the check's progress dialog, without the dialog: the range, the last
// position, when the check started, the threshold the bar has to pass before it moves again and
// whether the dialog has been shown. Times are milliseconds of a monotonic clock taken modulo
// 2^32; differences are unsigned, so a clock that wraps round still measures right.
class ProgressTracker {
public:
    // What a new position asks of the dialog.
    struct Effect {
        bool moveBar = false;  // put the position on the bar
        bool show = false;     // more than a second has passed: show the dialog now (once)
    };

    explicit ProgressTracker(std::uint32_t nowMs) : start_(nowMs) {}

    // A new range: the check starts again now; step is a tenth of the range.
    void SetRange(std::uint32_t total, std::uint32_t nowMs) {
        total_ = total;
        step_ = total / 10;
        start_ = nowMs;
    }

    // The bar moves only for positions above the threshold; the threshold then becomes the
    // position plus step with step's bits cleared (a mask, not a rounding: it keeps the bar from
    // being set on every step while still following the search closely).
    Effect SetPos(std::uint32_t position, std::uint32_t nowMs) {
        Effect effect;
        if (threshold_ < position) {
            threshold_ = (position + step_) & ~step_;
            effect.moveBar = true;
        }
        position_ = position;
        if (!shown_ && std::uint32_t(nowMs - start_) > 1000) {
            shown_ = true;
            effect.show = true;
        }
        return effect;
    }

    // One step on; past the range the position starts again from 0.
    Effect StepIt(std::uint32_t nowMs) {
        std::uint32_t next = position_ + 1;
        if (next > total_) next = 0;
        return SetPos(next, nowMs);
    }

    std::uint32_t Position() const { return position_; }
    std::uint32_t Total() const { return total_; }
    std::uint32_t Step() const { return step_; }
    std::uint32_t Threshold() const { return threshold_; }
    std::uint32_t Start() const { return start_; }
    bool Shown() const { return shown_; }
    // Milliseconds since the start (the last SetRange).
    std::uint32_t Elapsed(std::uint32_t nowMs) const { return nowMs - start_; }

private:
    std::uint32_t total_ = 0;
    std::uint32_t step_ = 0;
    std::uint32_t position_ = 0;
    std::uint32_t start_ = 0;
    std::uint32_t threshold_ = 0;
    bool shown_ = false;
};

}  // namespace mosgrid
