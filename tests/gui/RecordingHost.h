// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A BoardHost fake that records what the board asks of the main window.
#include <vector>

#include "common/ClockTime.h"
#include "board/ui/BoardHost.h"

namespace mosgrid::test {

class RecordingHost : public BoardHost {
public:
    void ShowCurrentColour(COLORREF colour) override { swatches.push_back(colour); }
    void ShowElapsedTime(int hours, int minutes, int seconds) override { times.push_back({hours, minutes, seconds}); }
    void EnterFullScreen() override { ++entered; }
    void LeaveFullScreen() override { ++left; }

    std::vector<COLORREF> swatches;
    std::vector<ClockTime> times;
    int entered = 0;
    int left = 0;
};

}  // namespace mosgrid::test
