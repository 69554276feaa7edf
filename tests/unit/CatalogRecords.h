// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Catalogue files (mg.bd): 528-byte records of a UTF-16LE name, the solve count and best time.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/TestPictures.h"

namespace mosgrid::test {

struct CatalogEntry {
    std::u16string name;
    std::int32_t solvedCount = 0;
    int hours = 0, minutes = 0, seconds = 0;
    bool operator==(const CatalogEntry&) const = default;
};

inline void WriteCatalog(const std::filesystem::path& path, const std::vector<CatalogEntry>& entries) {
    std::vector<std::uint8_t> bytes;
    for (const CatalogEntry& e : entries) {
        std::vector<std::uint8_t> record(528, 0xCD);  // the bytes after the name carry no meaning
        for (std::size_t i = 0; i <= e.name.size(); ++i)
            record[2 * i] = std::uint8_t(i < e.name.size() ? e.name[i] : 0), record[2 * i + 1] = std::uint8_t(i < e.name.size() ? e.name[i] >> 8 : 0);
        for (unsigned b = 0; b < 4; ++b) record[520 + b] = std::uint8_t(std::uint32_t(e.solvedCount) >> (8 * b));
        record[524] = std::uint8_t(e.hours), record[525] = std::uint8_t(e.minutes), record[526] = std::uint8_t(e.seconds);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    WriteBytes(path, bytes);
}

inline std::vector<CatalogEntry> ReadCatalog(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    std::vector<CatalogEntry> entries;
    for (const std::uint8_t* p = bytes.data(); p + 528 <= bytes.data() + bytes.size(); p += 528) {
        CatalogEntry e{{}, 0, p[524], p[525], p[526]};
        for (std::size_t i = 0; i < 260 && (p[2 * i] | p[2 * i + 1]) != 0; ++i)
            e.name.push_back(char16_t(p[2 * i] | p[2 * i + 1] << 8));
        for (int b = 3; b >= 0; --b) e.solvedCount = std::int32_t(std::uint32_t(e.solvedCount) << 8 | p[520 + b]);
        entries.push_back(e);
    }
    return entries;
}

}  // namespace mosgrid::test
