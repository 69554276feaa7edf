// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <cstdint>

namespace mosgrid {

// Milliseconds of the monotonic clock, modulo 2^32: the tick count the check measures with.
inline std::uint32_t TickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace mosgrid
