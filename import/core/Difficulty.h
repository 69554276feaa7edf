// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "solver/core/Puzzle.h"

namespace mosgrid {

// How much reasoning a puzzle needs, from the solver.
enum class Difficulty : std::uint8_t {
    Lines = 1,      // line passes alone decide every cell
    LookAhead = 2,  // needs probing (trying a cell's values to see which lead nowhere), no guess
    Trial = 3,      // needs guesses: trial and error
    Ambiguous = 4,  // more than one solution
    Unknown = 5,    // no verdict within the time given, or no solution
};

// The word the chooser and the tools show for a level ("lines", "look-ahead", "trial", ...).
const char* DifficultyWord(Difficulty level);

// Rates a puzzle by searching for a second solution with probing on; Unknown when `stop` (when
// given) is set before the search ends.
Difficulty RateDifficulty(const Puzzle& puzzle, std::chrono::milliseconds limit = std::chrono::seconds(10),
                          const std::atomic<bool>* stop = nullptr);

// Levels remembered by picture content, so a picture is rated once however it is named or
// moved. The key is a 64-bit FNV-1a hash of the picture file's bytes. Saved as text, one
// "HASH LEVEL" a line (hash in 16 hex digits), written atomically; lines that do not read are
// skipped when loading.
class DifficultyCache {
public:
    static std::uint64_t Key(const std::vector<std::uint8_t>& fileBytes);

    std::optional<Difficulty> Find(std::uint64_t key) const;
    void Put(std::uint64_t key, Difficulty level) { levels_[key] = level; }
    std::size_t Size() const { return levels_.size(); }

    // Adds what the file holds (a missing file adds nothing); false when it could not be read.
    bool Load(const std::filesystem::path& path);
    bool Save(const std::filesystem::path& path) const;

private:
    std::map<std::uint64_t, Difficulty> levels_;
};

}  // namespace mosgrid
