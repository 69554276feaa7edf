// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace mosgrid {

// What the catalogue counts of a puzzle: its solves and its best time.
struct SolveCounters {
    std::int32_t solvedCount = 0;
    std::uint8_t bestHours = 0;
    std::uint8_t bestMinutes = 0;
    std::uint8_t bestSeconds = 0;
};

// One puzzle of the catalogue: its name, how often it was solved and its best solving time.
// The catalogue file "mg.bd" holds these one after another, 528 bytes each, little-endian:
//   0..519   name, 260 UTF-16 units, the name followed by a 0 unit (zeros after it)
//   520..523 solvedCount, signed
//   524..526 bestHours, bestMinutes, bestSeconds
//   527      spare, written as 0
struct PuzzleRecord {
    static constexpr std::size_t kNameUnits = 260;
    static constexpr std::size_t kMaxNameLength = kNameUnits - 1;  // room for the terminator
    static constexpr std::size_t kFileSize = 528;

    std::array<char16_t, kNameUnits> name{};
    std::int32_t solvedCount = 0;
    std::uint8_t bestHours = 0;
    std::uint8_t bestMinutes = 0;
    std::uint8_t bestSeconds = 0;
    std::uint8_t spare = 0;

    // The name up to its terminator (or all 260 units should there be none).
    std::u16string_view Name() const;
    // Stores `text` and its terminator, zeroing the rest; false (record unchanged) when the text
    // is longer than kMaxNameLength units or holds a 0 unit, which would cut it short.
    bool SetName(std::u16string_view text);
    // The counters as one value, and the one place that writes them all.
    SolveCounters Counters() const { return {solvedCount, bestHours, bestMinutes, bestSeconds}; }
    void SetCounters(const SolveCounters& c) {
        solvedCount = c.solvedCount;
        bestHours = c.bestHours;
        bestMinutes = c.bestMinutes;
        bestSeconds = c.bestSeconds;
    }
};
static_assert(sizeof(PuzzleRecord) == PuzzleRecord::kFileSize, "a record is 528 bytes");

// Writes the record's 528 file bytes to `out`.
void EncodeRecord(const PuzzleRecord& record, std::uint8_t* out);
// Reads a record from 528 file bytes; nothing when its name has no terminator within 260 units.
std::optional<PuzzleRecord> DecodeRecord(const std::uint8_t* in);

}  // namespace mosgrid
