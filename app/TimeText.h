#pragma once
#include <QString>

namespace mosgrid {

// Elapsed and best times as the program shows them: hours unpadded, minutes and seconds with
// two digits ("0:05:07", "100:00:00").
inline QString TimeText(int hours, int minutes, int seconds) {
    return QString::asprintf("%d:%02d:%02d", hours, minutes, seconds);
}

}  // namespace mosgrid
