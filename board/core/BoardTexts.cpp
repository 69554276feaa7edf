// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/core/BoardTexts.h"

#include <cstdio>

namespace mosgrid {

std::string SolvedMessage(const ClockTime& elapsed, const ClockTime& best) {
    return "Кроссворд решен.\nЗатрачено времени - " + TimeText(elapsed) + ".\nЛучшее время - " + TimeText(best) + ".";
}

std::string RevealColumnQuestion(int number) {
    char text[96];
    std::snprintf(text, sizeof text, "Вы хотите открыть %1d столбец ?", number);
    return text;
}

std::string RevealRowQuestion(int number) {
    char text[96];
    std::snprintf(text, sizeof text, "Вы хотите открыть %1d ряд ?", number);
    return text;
}

}  // namespace mosgrid
