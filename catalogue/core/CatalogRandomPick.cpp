// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <chrono>
#include <random>

#include "catalogue/core/Catalog.h"

namespace mosgrid {

std::optional<std::u16string> CCatalog::PickRandom() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return PickRandom(std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
}

std::optional<std::u16string> CCatalog::PickRandom(std::uint32_t seed) const {
    // Only the least-solved puzzles take part. Counts compare as unsigned numbers, so a negative
    // count (from a damaged catalogue file) counts as more than the ceiling and never takes part.
    std::uint32_t least = kPickCeiling;
    for (const PuzzleRecord& record : records_) least = std::min(least, std::uint32_t(record.solvedCount));
    std::vector<const PuzzleRecord*> candidates;
    for (const PuzzleRecord& record : records_)
        if (std::uint32_t(record.solvedCount) == least) candidates.push_back(&record);
    if (candidates.empty()) return std::nullopt;

    std::mt19937 generator(seed);
    const std::uint32_t draw = generator();
    return std::u16string(candidates[draw % candidates.size()]->Name());
}

}  // namespace mosgrid
