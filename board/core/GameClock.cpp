// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/GameClock.h"

namespace mosgrid {

void TickClock(BoardModel& model) {
    model.seconds += 1;
    if (model.seconds >= 60) {
        model.seconds = 0;
        model.minutes += 1;
    }
    if (model.minutes >= 60) {
        model.minutes = 0;
        model.hours += 1;
    }
}

void AddPenaltyMinutes(BoardModel& model, int minutes) {
    long long total = static_cast<long long>(model.minutes) + minutes;
    if (total < 0) total = 0;
    model.hours += static_cast<int>(total / 60);
    model.minutes = static_cast<int>(total % 60);
}

}  // namespace mosgrid
