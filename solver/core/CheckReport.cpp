// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/CheckReport.h"

#include <cstdio>

namespace mosgrid {

ClockTime CheckDuration(std::uint32_t elapsedMs) {
    ClockTime t;
    t.seconds = int(elapsedMs / 1000 % 60);
    t.minutes = int(elapsedMs / 60000 % 60);
    t.hours = int(elapsedMs / 3600000 % 60);
    return t;
}

std::string CheckResultMessage(const ClockTime& duration, int variants) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Кроссворд решен .\nЗатрачено времени:\n%dчас.%dмин. %dсек.\nНайдено вариантов решения - %d.",
                  duration.hours, duration.minutes, duration.seconds, variants);
    return text;
}

}  // namespace mosgrid
