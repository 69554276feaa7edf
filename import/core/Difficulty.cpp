// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/Difficulty.h"

#include <cstdio>
#include <sstream>

#include "catalogue/core/AtomicFile.h"
#include "common/RegularFile.h"
#include "import/core/TimedSearch.h"

namespace mosgrid {

const char* DifficultyWord(Difficulty level) {
    switch (level) {
    case Difficulty::Lines: return "lines";
    case Difficulty::LookAhead: return "look-ahead";
    case Difficulty::Trial: return "trial";
    case Difficulty::Ambiguous: return "ambiguous";
    case Difficulty::Unknown: break;
    }
    return "unknown";
}

Difficulty RateDifficulty(const Puzzle& puzzle, std::chrono::milliseconds limit, const std::atomic<bool>* stop) {
    if (!puzzle.Valid()) return Difficulty::Unknown;
    const TimedCount count = CountWithin(puzzle, 2, limit, 0, GridSearch::Options{}, stop);
    if (count.solutions >= 2) return Difficulty::Ambiguous;
    if (count.timedOut || count.solutions == 0) return Difficulty::Unknown;
    if (count.linesAlone) return Difficulty::Lines;
    return count.guesses == 0 ? Difficulty::LookAhead : Difficulty::Trial;
}

std::uint64_t DifficultyCache::Key(const std::vector<std::uint8_t>& fileBytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (std::uint8_t b : fileBytes) {
        hash ^= b;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::optional<Difficulty> DifficultyCache::Find(std::uint64_t key) const {
    const auto it = levels_.find(key);
    if (it == levels_.end()) return std::nullopt;
    return it->second;
}

bool DifficultyCache::Load(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return true;
    const auto bytes = ReadRegularFile(path, 64u << 20);
    if (!bytes) return false;
    std::istringstream in(std::string(bytes->begin(), bytes->end()));
    std::string line;
    while (std::getline(in, line)) {
        unsigned long long key = 0;
        int level = 0;
        char tail = 0;
        if (line.size() != 18 || std::sscanf(line.c_str(), "%16llx %d%c", &key, &level, &tail) != 2) continue;
        if (level < int(Difficulty::Lines) || level > int(Difficulty::Unknown)) continue;
        levels_[key] = Difficulty(level);
    }
    return true;
}

bool DifficultyCache::Save(const std::filesystem::path& path) const {
    std::string text;
    for (const auto& [key, level] : levels_) {
        char line[32];
        std::snprintf(line, sizeof line, "%016llx %d\n", static_cast<unsigned long long>(key), int(level));
        text += line;
    }
    return WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace mosgrid
