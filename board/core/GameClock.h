// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "board/core/BoardModel.h"
#include "common/ClockTime.h"

namespace mosgrid {

inline ClockTime ClockOf(const BoardModel& model) { return {model.hours, model.minutes, model.seconds}; }

// One second of the game clock: seconds roll into minutes and minutes into hours at 60;
// hours have no limit.
void TickClock(BoardModel& model);

// Adds the penalty of a line reveal. Whole hours are carried out of the minutes at once, so the
// clock never shows 60 minutes or more and the next tick loses nothing.
void AddPenaltyMinutes(BoardModel& model, int minutes);

}  // namespace mosgrid
