// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "board/core/BoardModel.h"
#include "common/ClockTime.h"

namespace mosgrid {

// The check command's rules and messages that need no window. Texts are UTF-8.

// The refusal for pictures that are not of exactly two colours.
inline constexpr const char* kCheckColourRefusal = "Проверка цветных кроссвордов не поддерживается!";
// The confirmation before a check.
inline constexpr const char* kCheckQuestion =
    "Проверка кроссворда может занять некоторое время.\nВы хотите продолжить?";
// The result of a check that found nothing.
inline constexpr const char* kCheckNoSolution = "Не найдено ни одного решения.";
// A check that ran out of memory.
inline constexpr const char* kCheckOutOfMemory = "Не хватает памяти !!!";

// The check takes pictures of exactly two colours; the count is of colours, white or not, so
// black and red without white passes.
inline bool CheckAccepts(const BoardModel& model) { return model.picture.colourCount == 2; }

// The check's duration as the game clock's fields hold it: seconds and minutes of the
// hour and hours, each modulo 60.
ClockTime CheckDuration(std::uint32_t elapsedMs);

// The result of a check that found `variants` solutions, with the time it took.
std::string CheckResultMessage(const ClockTime& duration, int variants);

}  // namespace mosgrid
