#include "board/core/BoardTexts.h"

#include <cstdio>

namespace mosgrid {

std::string SolvedMessage(const ClockTime& elapsed, const ClockTime& best) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Кроссворд решен.\nЗатрачено времени - %d:%02d:%02d.\nЛучшее время - %d:%02d:%02d.",
                  elapsed.hours, elapsed.minutes, elapsed.seconds, best.hours, best.minutes, best.seconds);
    return text;
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
