// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/core/NonFile.h"

#include <algorithm>
#include <vector>

namespace mosgrid {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A number no larger than `cap` (bigger ones read as cap); false when there is none.
bool ReadNumber(std::string_view s, int cap, int& value) {
    s = Trim(s);
    if (s.empty() || !std::all_of(s.begin(), s.end(), IsDigit)) return false;
    long v = 0;
    for (char c : s) v = std::min<long>(v * 10 + (c - '0'), cap);
    value = int(v);
    return true;
}

// The lines of one section as a single pass meets them, kept in a space bounded by the most
// lines a puzzle has: its non-blank lines, each with the number of blank lines before it, and
// the blank lines before the first and after the last of them as counts. However many blank
// lines a file holds, none is stored.
struct Section {
    struct Line {
        std::size_t blanksBefore = 0;  // blank lines between the previous non-blank line and this one
        std::string_view text;
    };
    bool seen = false;
    std::size_t leading = 0;   // blank lines before the first non-blank one
    std::size_t trailing = 0;  // blank lines after the last non-blank one so far
    std::size_t inner = 0;     // blank lines between non-blank ones
    std::vector<Line> lines;   // the non-blank lines, at most kMaxLine

    // False when the section has more non-blank lines than any puzzle has lines.
    bool Add(std::string_view line) {
        if (line.empty()) {
            ++(lines.empty() ? leading : trailing);
            return true;
        }
        if (lines.size() >= std::size_t(kMaxLine)) return false;
        if (!lines.empty()) inner += trailing;
        lines.push_back(Line{lines.empty() ? 0 : trailing, line});
        trailing = 0;
        return true;
    }

    // The section's clue lines for a count of `count`, blank lines standing for lines without
    // runs: blank lines are dropped from the end, then from the start, then everywhere, for as
    // long as there are more lines than `count`. `total` is the number of lines left; the lines
    // are returned only when they are `count`, so at most a puzzle's lines are ever made.
    std::vector<std::string_view> Resolve(std::size_t count, std::size_t& total) const {
        std::vector<std::string_view> out;
        const std::size_t middle = lines.size() + inner;
        total = leading + middle + trailing;
        std::size_t keepTrailing = trailing, keepLeading = leading;
        if (total > count) {
            keepTrailing -= std::min(trailing, total - count);
            total = leading + middle + keepTrailing;
        }
        if (total > count) {
            keepLeading -= std::min(leading, total - count);
            total = keepLeading + middle;
        }
        const bool allBlanksDropped = total > count;
        if (allBlanksDropped) total = lines.size();
        if (total != count) return out;
        out.assign(keepLeading, std::string_view());
        for (const Line& line : lines) {
            if (!allBlanksDropped) out.insert(out.end(), line.blanksBefore, std::string_view());
            out.push_back(line.text);
        }
        out.insert(out.end(), keepTrailing, std::string_view());
        return out;
    }
};

bool EqualsLower(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i] >= 'A' && word[i] <= 'Z' ? char(word[i] - 'A' + 'a') : word[i];
        if (c != lower[i]) return false;
    }
    return true;
}

// The runs of one clue line; false when it holds anything but numbers and separators.
bool ReadClueLine(std::string_view line, int length, std::vector<LineRun>& runs) {
    runs.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i]) || line[i] == ',') {
            ++i;
            continue;
        }
        if (!IsDigit(line[i])) return false;
        std::size_t j = i;
        while (j < line.size() && IsDigit(line[j])) ++j;
        int n = 0;
        ReadNumber(line.substr(i, j - i), length + 1, n);  // longer than the line is all the same
        if (n > 0) {
            // More runs than the line has room for cannot be placed; keep one too many.
            if (int(runs.size()) > length) return true;
            runs.push_back(LineRun{n, 1, 1});
        }
        i = j;
    }
    return true;
}

}  // namespace

bool ReadNonText(std::string_view text, Puzzle& out, std::string& error) {
    int width = -1, height = -1;
    Section rows, columns;
    Section* open = nullptr;
    // One pass over the lines; a text that ends with a line end has an empty last line.
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == '#') continue;
        if (line.empty() || !IsLetter(line.front())) {  // clue lines, blank lines, anything else
            if (open && !open->Add(line)) {
                error = std::string(open == &rows ? "rows" : "columns") + ": more than " + std::to_string(kMaxLine) +
                        " clue lines";
                return false;
            }
            continue;
        }
        std::size_t k = 0;
        while (k < line.size() && IsLetter(line[k])) ++k;
        const std::string_view keyword = line.substr(0, k);
        open = nullptr;
        if (EqualsLower(keyword, "width") || EqualsLower(keyword, "height")) {
            const bool isWidth = EqualsLower(keyword, "width");
            int value = 0;
            if (!ReadNumber(line.substr(k), 1000, value)) {
                error = std::string(isWidth ? "width" : "height") + " without a number";
                return false;
            }
            (isWidth ? width : height) = value;
        } else if (EqualsLower(keyword, "rows") || EqualsLower(keyword, "columns")) {
            const bool isRows = EqualsLower(keyword, "rows");
            Section& s = isRows ? rows : columns;
            if (s.seen) {
                error = std::string("more than one ") + (isRows ? "rows" : "columns") + " section";
                return false;
            }
            s.seen = true;
            open = &s;
        }
    }
    if (width < 0 || height < 0) {
        error = width < 0 ? "no width" : "no height";
        return false;
    }
    if (width < 1 || height < 1 || width > kMaxLine || height > kMaxLine) {
        error = "size " + std::to_string(width) + " x " + std::to_string(height) + " outside 1 .. " + std::to_string(kMaxLine);
        return false;
    }
    if (!rows.seen || !columns.seen) {
        error = rows.seen ? "no columns section" : "no rows section";
        return false;
    }

    Puzzle puzzle;
    puzzle.width = width;
    puzzle.height = height;
    puzzle.valueCount = 2;
    auto readSection = [&](const Section& s, int count, int length, const char* name,
                           std::vector<std::vector<LineRun>>& target) {
        std::size_t total = 0;
        const std::vector<std::string_view> clueLines = s.Resolve(std::size_t(count), total);
        if (total != std::size_t(count)) {
            error = std::string(name) + ": " + std::to_string(total) + " clue lines for " + std::to_string(count);
            return false;
        }
        target.assign(std::size_t(count), {});
        for (int i = 0; i < count; ++i) {
            if (!ReadClueLine(clueLines[std::size_t(i)], length, target[std::size_t(i)])) {
                error = std::string(name) + " line " + std::to_string(i + 1) + " is not a list of numbers";
                return false;
            }
        }
        return true;
    };
    if (!readSection(rows, height, width, "rows", puzzle.rows)) return false;
    if (!readSection(columns, width, height, "columns", puzzle.columns)) return false;
    out = std::move(puzzle);
    return true;
}

}  // namespace mosgrid
