#include "board/core/SolveRecord.h"

#include <cstdint>

#include "catalogue/core/Catalog.h"

namespace mosgrid {

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
        record.solvedCount = count + 1;
        record.bestHours = std::uint8_t(outcome.best.hours);
        record.bestMinutes = std::uint8_t(outcome.best.minutes);
        record.bestSeconds = std::uint8_t(outcome.best.seconds);
    }
    outcome.saved = catalog.Save();
    outcome.catalogPath = catalog.CatalogueFilePath();
    return outcome;
}

}  // namespace mosgrid
