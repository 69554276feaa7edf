#include "board/core/SolveRecord.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/Text.h"

namespace mosgrid {
namespace {

// One 528-byte record of the catalogue file: 260 UTF-16LE units of name (terminated), the solve
// count (signed 32-bit), best hours, minutes, seconds and one spare byte.
constexpr std::size_t kRecordSize = 528;
constexpr std::size_t kNameUnits = 260;

struct Record {
    std::u16string name;
    std::int32_t solvedCount = 0;
    ClockTime best;
};

std::vector<Record> ReadRecords(const std::filesystem::path& path) {
    std::vector<Record> records;
    // Anything but a readable file (missing, a folder, no access) reads as an empty catalogue.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return records;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return records;
    std::ifstream in(path, std::ios::binary);
    if (!in) return records;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    // A trailing piece shorter than a record is ignored, and so is a name without terminator.
    for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        const std::uint8_t* p = bytes.data() + at;
        Record r;
        bool terminated = false;
        for (std::size_t i = 0; i < kNameUnits; ++i) {
            char16_t unit = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
            if (unit == 0) {
                terminated = true;
                break;
            }
            r.name.push_back(unit);
        }
        if (!terminated) continue;
        r.solvedCount = std::int32_t(std::uint32_t(p[520]) | std::uint32_t(p[521]) << 8 |
                                     std::uint32_t(p[522]) << 16 | std::uint32_t(p[523]) << 24);
        r.best = {p[524], p[525], p[526]};
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<std::uint8_t> EncodeRecords(const std::vector<Record>& records) {
    std::vector<std::uint8_t> bytes(records.size() * kRecordSize, 0);
    for (std::size_t n = 0; n < records.size(); ++n) {
        std::uint8_t* p = bytes.data() + n * kRecordSize;
        const Record& r = records[n];
        for (std::size_t i = 0; i < r.name.size() && i + 1 < kNameUnits; ++i) {
            p[2 * i] = std::uint8_t(r.name[i] & 0xFF);
            p[2 * i + 1] = std::uint8_t(r.name[i] >> 8);
        }
        std::uint32_t count = std::uint32_t(r.solvedCount);
        for (int b = 0; b < 4; ++b) p[520 + b] = std::uint8_t(count >> (8 * b));
        p[524] = std::uint8_t(r.best.hours);
        p[525] = std::uint8_t(r.best.minutes);
        p[526] = std::uint8_t(r.best.seconds);
    }
    return bytes;
}

}  // namespace

SolveOutcome RecordSolve(const std::filesystem::path& folder, const std::u16string& name, const ClockTime& elapsed) {
    SolveOutcome outcome;
    outcome.catalogPath = folder / "mg.bd";
    std::vector<Record> records = ReadRecords(outcome.catalogPath);

    bool found = false;
    Record stored;  // zero counters when the puzzle has no record
    for (const Record& r : records) {
        if (r.name == name) {
            stored = r;
            found = true;
        }
    }
    std::error_code ec;
    if (!found && name.size() < kNameUnits && std::filesystem::is_regular_file(PicturePath(folder, name), ec)) {
        records.push_back(Record{name, 0, {}});
    }

    outcome.best = BestTimeAfterSolve(stored.solvedCount, stored.best, elapsed);
    for (Record& r : records) {
        if (r.name == name) {
            r.solvedCount = stored.solvedCount + 1;
            r.best = outcome.best;
        }
    }
    outcome.saved = WriteFileAtomically(outcome.catalogPath, EncodeRecords(records));
    return outcome;
}

}  // namespace mosgrid
