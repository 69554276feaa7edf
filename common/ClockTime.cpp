// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ClockTime.h"

#include <cstdio>

namespace mosgrid {

std::string TimeText(const ClockTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hours, t.minutes, t.seconds);
    return text;
}

}  // namespace mosgrid
