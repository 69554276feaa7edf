#include "board/core/GameClock.h"

#include <cstdio>

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

std::string FormatClock(const ClockTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hours, t.minutes, t.seconds);
    return text;
}

ClockTime ClockBytes(const ClockTime& t) {
    return {t.hours & 0xFF, t.minutes & 0xFF, t.seconds & 0xFF};
}

ClockTime BestTimeAfterSolve(int solvedCount, const ClockTime& storedBest, const ClockTime& elapsed) {
    ClockTime now = ClockBytes(elapsed);
    ClockTime best = ClockBytes(storedBest);
    if (solvedCount == 0 || best.TotalSeconds() > now.TotalSeconds()) return now;
    return best;
}

}  // namespace mosgrid
