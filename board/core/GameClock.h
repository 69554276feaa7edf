#pragma once
#include <string>

#include "board/core/BoardModel.h"

namespace mosgrid {

struct ClockTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    long long TotalSeconds() const { return hours * 3600LL + minutes * 60LL + seconds; }
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

inline ClockTime ClockOf(const BoardModel& model) { return {model.hours, model.minutes, model.seconds}; }

// One second of the game clock: seconds roll into minutes and minutes into hours at 60;
// hours have no limit.
void TickClock(BoardModel& model);

// Adds the penalty of a line reveal. Whole hours are carried out of the minutes at once, so the
// clock never shows 60 minutes or more and the next tick loses nothing.
void AddPenaltyMinutes(BoardModel& model, int minutes);

// "%d:%02d:%02d": hours unpadded, minutes and seconds with two digits.
std::string FormatClock(const ClockTime& t);

// The best time after a solve. The stored best (of a puzzle solved `solvedCount` times) is
// replaced only when the puzzle was never solved or the new time is strictly shorter. Both
// times are taken as the catalogue stores them: each part reduced to its low 8 bits.
ClockTime BestTimeAfterSolve(int solvedCount, const ClockTime& storedBest, const ClockTime& elapsed);

// The parts of a time as the catalogue keeps them (each modulo 256).
ClockTime ClockBytes(const ClockTime& t);

}  // namespace mosgrid
