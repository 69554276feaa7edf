// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/SolveRecord.h"

#include <cstdint>

#include "catalogue/core/Catalog.h"

namespace mosgrid {

ClockTime ClockBytes(const ClockTime& t) {
    return {t.hours & 0xFF, t.minutes & 0xFF, t.seconds & 0xFF};
}

ClockTime BestTimeAfterSolve(int solvedCount, const ClockTime& storedBest, const ClockTime& elapsed) {
    ClockTime now = ClockBytes(elapsed);
    ClockTime best = ClockBytes(storedBest);
    if (solvedCount == 0 || best.TotalSeconds() > now.TotalSeconds()) return now;
    return best;
}

SolveOutcome RecordSolve(const GameFolders& folders, const std::u16string& name, const ClockTime& elapsed) {
    CCatalog catalog(folders);
    catalog.Load();
    std::int32_t count = 0;
    std::uint8_t hours = 0;
    std::uint8_t minutes = 0;
    std::uint8_t seconds = 0;
    catalog.Find(name, count, hours, minutes, seconds);

    SolveOutcome outcome;
    outcome.best = BestTimeAfterSolve(count, ClockTime{hours, minutes, seconds}, elapsed);
    for (PuzzleRecord& record : catalog.Records()) {
        if (record.Name() != name) continue;
        record.SetCounters({count + 1, std::uint8_t(outcome.best.hours), std::uint8_t(outcome.best.minutes),
                            std::uint8_t(outcome.best.seconds)});
    }
    outcome.saved = catalog.Save();
    outcome.catalogPath = catalog.CatalogueFilePath();
    return outcome;
}

}  // namespace mosgrid
