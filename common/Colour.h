// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace mosgrid {

// A colour value laid out 0x00BBGGRR: red in the low byte, blue in the third.
using COLORREF = std::uint32_t;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kRed = 0x0000FF;

constexpr COLORREF MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return COLORREF(red) | (COLORREF(green) << 8) | (COLORREF(blue) << 16);
}
constexpr std::uint8_t RedOf(COLORREF c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(COLORREF c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(COLORREF c) { return std::uint8_t((c >> 16) & 0xFF); }

}  // namespace mosgrid
