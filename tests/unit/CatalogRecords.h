#pragma once
// Builds and reads catalogue files (mg.bd) for the tests: 528-byte records of a UTF-16LE name
// (260 units, terminated), the solve count and the best hours, minutes and seconds.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mosgrid::test {

struct CatalogEntry {
    std::u16string name;
    std::int32_t solvedCount = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

inline std::vector<std::uint8_t> CatalogBytes(const std::vector<CatalogEntry>& entries) {
    std::vector<std::uint8_t> bytes;
    for (const CatalogEntry& e : entries) {
        std::vector<std::uint8_t> record(528, 0xCD);  // the bytes after the name carry no meaning
        for (std::size_t i = 0; i <= e.name.size(); ++i) {
            char16_t unit = i < e.name.size() ? e.name[i] : u'\0';
            record[2 * i] = std::uint8_t(unit & 0xFF);
            record[2 * i + 1] = std::uint8_t(unit >> 8);
        }
        for (int b = 0; b < 4; ++b) record[std::size_t(520 + b)] = std::uint8_t(std::uint32_t(e.solvedCount) >> (8 * b));
        record[524] = std::uint8_t(e.hours);
        record[525] = std::uint8_t(e.minutes);
        record[526] = std::uint8_t(e.seconds);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

inline void WriteCatalog(const std::filesystem::path& path, const std::vector<CatalogEntry>& entries) {
    std::vector<std::uint8_t> bytes = CatalogBytes(entries);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<CatalogEntry> ReadCatalog(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<CatalogEntry> entries;
    for (std::size_t at = 0; at + 528 <= bytes.size(); at += 528) {
        const std::uint8_t* p = bytes.data() + at;
        CatalogEntry e;
        for (std::size_t i = 0; i < 260; ++i) {
            char16_t unit = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
            if (unit == 0) break;
            e.name.push_back(unit);
        }
        e.solvedCount = std::int32_t(std::uint32_t(p[520]) | std::uint32_t(p[521]) << 8 | std::uint32_t(p[522]) << 16 |
                                     std::uint32_t(p[523]) << 24);
        e.hours = p[524];
        e.minutes = p[525];
        e.seconds = p[526];
        entries.push_back(e);
    }
    return entries;
}

}  // namespace mosgrid::test
