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

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return out;
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

// Where a section's lines start and end, as line numbers.
struct Section {
    bool seen = false;
    std::size_t begin = 0;
    std::size_t end = 0;
};

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
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(Trim(text.substr(start, end - start)));
        start = end + 1;
    }

    int width = -1, height = -1;
    Section rows, columns;
    Section* open = nullptr;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        if (!line.empty() && line.front() == '#') continue;
        if (line.empty() || !IsLetter(line.front())) continue;  // clue lines, blank lines, anything else
        std::size_t k = 0;
        while (k < line.size() && IsLetter(line[k])) ++k;
        const std::string keyword = Lower(line.substr(0, k));
        if (open) open->end = n;
        open = nullptr;
        if (keyword == "width" || keyword == "height") {
            int value = 0;
            if (!ReadNumber(line.substr(k), 1000, value)) {
                error = keyword + " without a number";
                return false;
            }
            (keyword == "width" ? width : height) = value;
        } else if (keyword == "rows" || keyword == "columns") {
            Section& s = keyword == "rows" ? rows : columns;
            if (s.seen) {
                error = "more than one " + keyword + " section";
                return false;
            }
            s.seen = true;
            s.begin = n + 1;
            s.end = lines.size();
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
        std::vector<std::string_view> clueLines;
        for (std::size_t n = s.begin; n < s.end; ++n) {
            if (!lines[n].empty() && lines[n].front() == '#') continue;
            clueLines.push_back(lines[n]);
        }
        // Blank lines may stand for lines without runs or merely space the file out: drop them
        // at the ends, then everywhere, until the count fits.
        while (int(clueLines.size()) > count && !clueLines.empty() && clueLines.back().empty()) clueLines.pop_back();
        while (int(clueLines.size()) > count && !clueLines.empty() && clueLines.front().empty()) clueLines.erase(clueLines.begin());
        if (int(clueLines.size()) > count) std::erase_if(clueLines, [](std::string_view l) { return l.empty(); });
        if (int(clueLines.size()) != count) {
            error = std::string(name) + ": " + std::to_string(clueLines.size()) + " clue lines for " + std::to_string(count);
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
