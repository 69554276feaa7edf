// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ClockTime.h"

namespace mosgrid {

// The board's own messages, UTF-8.

// The announcement of a solved puzzle with the time taken and the best time.
std::string SolvedMessage(const ClockTime& elapsed, const ClockTime& best);
// The questions of the line reveal; `number` is the line's index + 1.
std::string RevealColumnQuestion(int number);
std::string RevealRowQuestion(int number);

}  // namespace mosgrid
