// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/PuzzleRecord.h"

#include <algorithm>
#include <cstring>

namespace mosgrid {

std::u16string_view PuzzleRecord::Name() const {
    const auto end = std::find(name.begin(), name.end(), u'\0');
    return std::u16string_view(name.data(), std::size_t(end - name.begin()));
}

bool PuzzleRecord::SetName(std::u16string_view text) {
    if (text.size() > kMaxNameLength || text.find(u'\0') != std::u16string_view::npos) return false;
    name.fill(u'\0');
    std::copy(text.begin(), text.end(), name.begin());
    return true;
}

void EncodeRecord(const PuzzleRecord& record, std::uint8_t* out) {
    std::memset(out, 0, PuzzleRecord::kFileSize);
    const std::u16string_view text = record.Name();
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = std::uint8_t(text[i] & 0xFF);
        out[2 * i + 1] = std::uint8_t(text[i] >> 8);
    }
    const auto count = std::uint32_t(record.solvedCount);
    for (int i = 0; i < 4; ++i) out[520 + i] = std::uint8_t(count >> (8 * i));
    out[524] = record.bestHours;
    out[525] = record.bestMinutes;
    out[526] = record.bestSeconds;
}

std::optional<PuzzleRecord> DecodeRecord(const std::uint8_t* in) {
    PuzzleRecord record;
    bool terminated = false;
    for (std::size_t i = 0; i < PuzzleRecord::kNameUnits && !terminated; ++i) {
        const char16_t unit = char16_t(in[2 * i] | (in[2 * i + 1] << 8));
        terminated = unit == u'\0';
        record.name[i] = unit;
    }
    if (!terminated) return std::nullopt;
    std::uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= std::uint32_t(in[520 + i]) << (8 * i);
    record.solvedCount = std::int32_t(count);
    record.bestHours = in[524];
    record.bestMinutes = in[525];
    record.bestSeconds = in[526];
    return record;
}

}  // namespace mosgrid
