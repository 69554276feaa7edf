// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace mosgrid {

// A time as the game clock and the catalogue keep it: hours without limit, minutes and seconds.
struct ClockTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    long long TotalSeconds() const { return hours * 3600LL + minutes * 60LL + seconds; }
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// Elapsed and best times as the program shows them: hours unpadded, minutes and seconds with
// two digits ("0:05:07", "100:00:00"). The one place that writes a time.
std::string TimeText(const ClockTime& t);

}  // namespace mosgrid
