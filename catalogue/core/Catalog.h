// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/core/GameFolders.h"
#include "catalogue/core/PuzzleRecord.h"

namespace mosgrid {

// The puzzles of the game's picture folders with their solve counts and best times. The set of
// puzzles always comes from the folders' pictures; the catalogue file "mg.bd" (in the folder of
// the player's files) only carries the counters from one run to the next. Short-lived: build
// one, Load it, use it, let it go.
class CCatalog {
public:
    static constexpr const char* kFileName = "mg.bd";
    // The least solve count PickRandom considers; counts above it (or negative) never take part.
    static constexpr std::uint32_t kPickCeiling = 100000;
    // A catalogue file longer than this (some 63,000 records) is not read.
    static constexpr std::size_t kMaxFileSize = 32u << 20;

    // A folder given alone holds the pictures and the catalogue file; an empty one is the
    // current directory.
    explicit CCatalog(GameFolders folders);
    explicit CCatalog(const std::filesystem::path& folder) : CCatalog(GameFolders(folder)) {}

    const GameFolders& Folders() const { return folders_; }
    // Where the catalogue file lies: what to show the user when Save fails.
    std::filesystem::path CatalogueFilePath() const;

    // Scan, then apply the catalogue file's counters and sort by name. Without a readable
    // catalogue file the records keep the order of the scan.
    void Load();
    // Appends one record (counters 0) per playable picture of the picture folders, folder by folder
    // in priority order, each visiting its files in the order of their names' bytes. A name given
    // by several files ("a.bmp", "a.BMP", or one in each of two folders) is catalogued once, from
    // the file FindPicturePath would find.
    void Scan();
    // Writes every record to the catalogue file, atomically; false when it could not be written,
    // in which case the old file is left whole.
    bool Save() const;

    // Copies the counters of the (last) record with this name; false and outputs untouched when
    // no record has it.
    bool Find(std::u16string_view name, std::int32_t& count, std::uint8_t& hours, std::uint8_t& minutes,
              std::uint8_t& seconds) const;
    // Mode 1: appends a record with these values (false when the name does not fit a record).
    // Any other mode: sets the counters of every record with this name (false when none has it).
    bool AddOrUpdate(std::u16string_view name, std::int32_t count, std::uint8_t hours, std::uint8_t minutes,
                     std::uint8_t seconds, int mode);
    // Ascending order of name, by the values of the UTF-16 units.
    void SortByName();

    // A random name among the least-solved puzzles (solve counts compared as unsigned numbers, never
    // above kPickCeiling), seeded from the steady clock's milliseconds on every call; nothing when no
    // record takes part. The seeded form draws from the given seed.
    std::optional<std::u16string> PickRandom() const;
    std::optional<std::u16string> PickRandom(std::uint32_t seed) const;

    // The picture file of a catalogued name, as the scan found it (see FindPicturePath).
    std::filesystem::path PicturePathOf(std::u16string_view name) const;

    const std::vector<PuzzleRecord>& Records() const { return records_; }
    std::vector<PuzzleRecord>& Records() { return records_; }

private:
    void MergeCatalogueFile(std::span<const std::uint8_t> bytes);

    void ScanFolder(const std::filesystem::path& folder, std::set<std::u16string>& named);

    GameFolders folders_;
    std::vector<PuzzleRecord> records_;
    std::map<std::u16string, std::filesystem::path> files_;  // the picture file of each scanned name
};

}  // namespace mosgrid
