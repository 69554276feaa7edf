// SPDX-License-Identifier: GPL-3.0-or-later
#include "savegame/core/LastGameCodec.h"

#include <algorithm>
#include <utility>

#include "board/core/LineCheck.h"
#include "catalogue/core/PictureFiles.h"

namespace mosgrid {
namespace {

constexpr std::size_t kTapCounterAt = 520;
constexpr std::size_t kColumnFlagsAt = 524;
constexpr std::size_t kRowFlagsAt = 724;
constexpr std::size_t kSecondsAt = 924;
constexpr std::size_t kMinutesAt = 928;
constexpr std::size_t kHoursAt = 932;

class Writer {
public:
    explicit Writer(std::size_t size) { bytes_.reserve(size); }
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(std::uint8_t(v));
        U8(std::uint8_t(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(std::uint16_t(v));
        U16(std::uint16_t(v >> 16));
    }
    void I32(std::int32_t v) { U32(std::uint32_t(v)); }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads little-endian fields at given offsets; the caller has checked the length.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t U8(std::size_t at) const { return bytes_[at]; }
    std::uint16_t U16(std::size_t at) const { return std::uint16_t(bytes_[at] | (bytes_[at + 1] << 8)); }
    std::uint32_t U32(std::size_t at) const { return std::uint32_t(U16(at)) | (std::uint32_t(U16(at + 2)) << 16); }
    std::int32_t I32(std::size_t at) const { return std::int32_t(U32(at)); }

private:
    std::span<const std::uint8_t> bytes_;
};

void WriteClue(Writer& w, const ClueEntry& e) {
    w.U8(e.length);
    w.U8(e.colourIndex);
    w.U8(0);
    w.U8(0);
    w.I32(e.done);
}

bool IsFlag(std::int32_t v) { return v == 0 || v == 1; }

// A table of clue entries in the file agrees with the derived one: same length and colour
// index in every slot, zero padding, done flag 0 or 1 and 0 on an empty slot.
bool CluesFit(const Reader& in, std::size_t at, const std::vector<ClueEntry>& derived) {
    for (const ClueEntry& e : derived) {
        std::int32_t done = in.I32(at + 4);
        if (in.U8(at) != e.length || in.U8(at + 1) != e.colourIndex || in.U8(at + 2) != 0 ||
            in.U8(at + 3) != 0 || !IsFlag(done) || (e.length == 0 && done != 0)) {
            return false;
        }
        at += 8;
    }
    return true;
}

void ReadDoneFlags(const Reader& in, std::size_t at, std::vector<ClueEntry>& clues) {
    for (ClueEntry& e : clues) {
        e.done = in.I32(at + 4);
        at += 8;
    }
}

bool IsPictureColour(const BoardModel& model, COLORREF colour) {
    const CBmpFile& p = model.picture;
    const std::int32_t n = std::clamp<std::int32_t>(p.colourCount, 0, std::int32_t(p.colours.size()));
    return std::find(p.colours.begin(), p.colours.begin() + n, colour) != p.colours.begin() + n;
}

// The stored solved flag of every row and column of the picture says what the stored cells
// say: 1 exactly when the line is complete by the board's own line check. A file edited to
// announce a solved line it does not hold (or to hide one) is refused. The model's cells are
// borrowed for the check and given back unchanged.
bool SolvedFlagsAgree(const Reader& in, BoardModel& model, BoardModel::Cells& stored) {
    std::swap(model.cells, stored);
    bool agree = true;
    for (int c = 0; c < model.cols() && agree; ++c) {
        agree = (in.I32(kColumnFlagsAt + 4 * std::size_t(c)) == 1) == ColumnComplete(model, c);
    }
    for (int r = 0; r < model.rows() && agree; ++r) {
        agree = (in.I32(kRowFlagsAt + 4 * std::size_t(r)) == 1) == RowComplete(model, r);
    }
    std::swap(model.cells, stored);
    return agree;
}

}  // namespace

bool IsRestorableName(std::u16string_view name) { return IsPlainPuzzleName(name); }

std::optional<std::vector<std::uint8_t>> EncodeLastGame(const BoardModel& model) {
    if (!model.HasPuzzle() || !IsRestorableName(model.name)) return std::nullopt;
    const int cols = model.cols();
    const int rows = model.rows();
    Writer w(LastGameSize(cols, rows));
    for (std::size_t i = 0; i < kLastGameNameUnits; ++i) w.U16(i < model.name.size() ? model.name[i] : 0);
    w.I32(model.tapCounter);
    for (std::int32_t flag : model.columnSolved) w.I32(flag);
    for (std::int32_t flag : model.rowSolved) w.I32(flag);
    w.I32(model.seconds);
    w.I32(model.minutes);
    w.I32(model.hours);
    for (const ClueEntry& e : model.columnClues) WriteClue(w, e);
    for (const ClueEntry& e : model.rowClues) WriteClue(w, e);
    for (const CellRecord& cell : model.cells) {
        w.I32(cell.state);
        w.U32(cell.colour);
    }
    return w.Take();
}

std::optional<std::u16string> LastGameName(std::span<const std::uint8_t> bytes) {
    std::u16string name;
    for (std::size_t i = 0; i < kLastGameNameUnits; ++i) {
        std::uint16_t low = 2 * i < bytes.size() ? bytes[2 * i] : 0;
        std::uint16_t high = 2 * i + 1 < bytes.size() ? bytes[2 * i + 1] : 0;
        char16_t unit = char16_t(low | (high << 8));
        if (unit == 0) break;
        name.push_back(unit);
    }
    if (!IsRestorableName(name)) return std::nullopt;
    return name;
}

bool ApplyLastGame(std::span<const std::uint8_t> bytes, BoardModel& model) {
    if (!model.HasPuzzle() || !IsRestorableName(model.name)) return false;
    const int cols = model.cols();
    const int rows = model.rows();
    if (bytes.size() != LastGameSize(cols, rows)) return false;
    const Reader in(bytes);

    // The name, its terminator and the zeros after it, exactly as this puzzle's name encodes.
    for (std::size_t i = 0; i < kLastGameNameUnits; ++i) {
        if (in.U16(2 * i) != (i < model.name.size() ? model.name[i] : 0)) return false;
    }
    const std::int32_t tapCounter = in.I32(kTapCounterAt);
    if (tapCounter < 0 || tapCounter > kLastGameMaxTapCounter) return false;
    for (int i = 0; i < 2 * kMaxSlots; ++i) {
        if (!IsFlag(in.I32(kColumnFlagsAt + 4 * std::size_t(i)))) return false;
    }
    // A reveal adds its penalty to the minutes and the original left the carry into the hours to
    // the next tick, so a file written just after one can hold 60 minutes or more: the time is
    // taken as the total it stands for. Negative parts only come from a damaged file.
    const std::int64_t seconds = in.I32(kSecondsAt);
    const std::int64_t minutes = in.I32(kMinutesAt);
    const std::int64_t hours = in.I32(kHoursAt);
    if (seconds < 0 || minutes < 0 || hours < 0) return false;
    const std::int64_t total = (hours * 60 + minutes) * 60 + seconds;
    if (total / 3600 > kLastGameMaxHours) return false;
    const std::size_t columnCluesAt = kLastGameFixedBytes;
    const std::size_t rowCluesAt = columnCluesAt + 400 * std::size_t(cols);
    const std::size_t cellsAt = rowCluesAt + 400 * std::size_t(rows);
    if (!CluesFit(in, columnCluesAt, model.columnClues) || !CluesFit(in, rowCluesAt, model.rowClues)) return false;
    BoardModel::Cells stored(model.cells.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::int32_t state = in.I32(cellsAt + 8 * i);
        const COLORREF colour = in.U32(cellsAt + 8 * i + 4);
        if (state == 1) {
            if (colour != kWhite) return false;
        } else if (state != 0 || (colour != kWhite && !IsPictureColour(model, colour))) {
            return false;
        }
        stored[i] = CellRecord{state, colour};
    }
    if (!SolvedFlagsAgree(in, model, stored)) return false;

    // Everything fits: take it over.
    model.tapCounter = tapCounter;
    for (int i = 0; i < kMaxSlots; ++i) {
        model.columnSolved[std::size_t(i)] = in.I32(kColumnFlagsAt + 4 * std::size_t(i));
        model.rowSolved[std::size_t(i)] = in.I32(kRowFlagsAt + 4 * std::size_t(i));
    }
    model.seconds = std::int32_t(total % 60);
    model.minutes = std::int32_t(total / 60 % 60);
    model.hours = std::int32_t(total / 3600);
    ReadDoneFlags(in, columnCluesAt, model.columnClues);
    ReadDoneFlags(in, rowCluesAt, model.rowClues);
    model.cells = std::move(stored);
    return true;
}

}  // namespace mosgrid
