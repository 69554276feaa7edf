// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/ClueFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <optional>
#include <pugixml.hpp>

#include "solver/core/NonFile.h"

namespace mosgrid {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "#RRGGBB", "RRGGBB" or "RGB" (each digit doubled), any letter case.
std::optional<COLORREF> HexColour(std::string_view s) {
    if (!s.empty() && s.front() == '#') s.remove_prefix(1);
    if (s.size() != 3 && s.size() != 6) return std::nullopt;
    unsigned digits[6];
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = char(std::tolower(static_cast<unsigned char>(s[i])));
        if (c >= '0' && c <= '9') digits[i] = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f') digits[i] = unsigned(c - 'a' + 10);
        else return std::nullopt;
    }
    unsigned rgb[3];
    for (int k = 0; k < 3; ++k) {
        rgb[k] = s.size() == 3 ? digits[k] * 17 : digits[2 * k] * 16 + digits[2 * k + 1];
    }
    return MakeColour(std::uint8_t(rgb[0]), std::uint8_t(rgb[1]), std::uint8_t(rgb[2]));
}

// The colour names files commonly use instead of numbers.
std::optional<COLORREF> NamedColour(std::string_view name) {
    static const std::map<std::string, COLORREF, std::less<>> kNames{
        {"white", MakeColour(255, 255, 255)}, {"black", MakeColour(0, 0, 0)},
        {"red", MakeColour(255, 0, 0)},       {"green", MakeColour(0, 255, 0)},
        {"blue", MakeColour(0, 0, 255)},      {"yellow", MakeColour(255, 255, 0)},
        {"cyan", MakeColour(0, 255, 255)},    {"magenta", MakeColour(255, 0, 255)},
        {"gray", MakeColour(190, 190, 190)},  {"grey", MakeColour(190, 190, 190)},
        {"orange", MakeColour(255, 165, 0)},  {"brown", MakeColour(165, 42, 42)},
        {"pink", MakeColour(255, 192, 203)},  {"purple", MakeColour(160, 32, 240)},
        {"darkgreen", MakeColour(0, 100, 0)}, {"navy", MakeColour(0, 0, 128)},
    };
    const auto it = kNames.find(Lower(name));
    if (it == kNames.end()) return std::nullopt;
    return it->second;
}

std::optional<int> RunLength(std::string_view s) {
    int n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || end != s.data() + s.size() || n < 0 || n > kMaxClueSide) return std::nullopt;
    return n;
}

// Lines read with colours numbered as the file declares them; turned into a puzzle by Finish.
struct RawLines {
    std::vector<std::vector<LineRun>> rows;
    std::vector<std::vector<LineRun>> columns;
};

// Renumbers the colours so that only those the runs use get values (in declaration order),
// checks the size, and keeps at most length + 1 runs a line: more can never be placed, and
// the puzzle stays one without solutions.
bool Finish(RawLines& lines, const std::vector<COLORREF>& declared, int background, CluePuzzle& out,
            std::string& error) {
    const int height = int(lines.rows.size());
    const int width = int(lines.columns.size());
    if (width < 1 || height < 1) {
        error = "no rows or no columns";
        return false;
    }
    if (width > kMaxClueSide || height > kMaxClueSide) {
        error = "size beyond " + std::to_string(kMaxClueSide);
        return false;
    }
    std::vector<int> value(declared.size(), 0);
    for (auto* list : {&lines.rows, &lines.columns}) {
        for (const auto& line : *list) {
            for (const LineRun& run : line) value[std::size_t(run.colourIndex)] = 1;
        }
    }
    out = CluePuzzle{};
    out.colours.push_back(kWhite);
    for (std::size_t i = 0; i < declared.size(); ++i) {
        if (!value[i]) continue;
        if (int(i) == background) {
            error = "a run has the background colour";
            return false;
        }
        if (declared[i] == kWhite) {
            error = "a run colour is white, the colour of the background";
            return false;
        }
        if (std::find(out.colours.begin(), out.colours.end(), declared[i]) != out.colours.end()) {
            error = "two run colours are the same colour";
            return false;
        }
        value[i] = int(out.colours.size());
        out.colours.push_back(declared[i]);
    }
    out.puzzle.width = width;
    out.puzzle.height = height;
    out.puzzle.valueCount = int(out.colours.size());
    for (auto [list, length, target] : {std::tuple{&lines.rows, width, &out.puzzle.rows},
                                        std::tuple{&lines.columns, height, &out.puzzle.columns}}) {
        for (auto& line : *list) {
            if (int(line.size()) > length + 1) line.resize(std::size_t(length) + 1);
            for (LineRun& run : line) {
                run.value = value[std::size_t(run.colourIndex)];
                run.colourIndex = run.value;
            }
            target->push_back(std::move(line));
        }
    }
    return true;
}

// ---- webpbn XML ------------------------------------------------------------------------------

bool ReadXmlClues(const pugi::xml_node& clues, const std::map<std::string, int, std::less<>>& byName,
                  int defaultColour, std::vector<std::vector<LineRun>>& lines, std::string& error) {
    for (const pugi::xml_node& line : clues.children("line")) {
        if (int(lines.size()) >= kMaxClueSide) {
            error = "more than " + std::to_string(kMaxClueSide) + " lines";
            return false;
        }
        std::vector<LineRun> runs;
        for (const pugi::xml_node& count : line.children("count")) {
            const auto length = RunLength(Trim(count.text().get()));
            if (!length || *length < 1) {
                error = "a count is not a number from 1 to " + std::to_string(kMaxClueSide);
                return false;
            }
            int colour = defaultColour;
            if (const pugi::xml_attribute attr = count.attribute("color")) {
                const auto it = byName.find(std::string_view(attr.value()));
                if (it == byName.end()) {
                    error = std::string("a count has the undeclared colour \"") + attr.value() + "\"";
                    return false;
                }
                colour = it->second;
            }
            if (colour < 0) {
                error = "a count without a colour and no default colour";
                return false;
            }
            if (int(runs.size()) <= kMaxClueSide) runs.push_back(LineRun{*length, 1, colour});
        }
        lines.push_back(std::move(runs));
    }
    return true;
}

}  // namespace

bool ReadWebpbnXml(std::string_view text, CluePuzzle& out, std::string& error) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), pugi::parse_default);
    if (!parsed) {
        error = std::string("not well-formed XML: ") + parsed.description() + " at byte " + std::to_string(parsed.offset);
        return false;
    }
    pugi::xml_node puzzle = doc.child("puzzle");
    if (!puzzle) puzzle = doc.child("puzzleset").child("puzzle");
    if (!puzzle) {
        error = "no <puzzle> element";
        return false;
    }
    const std::string type = puzzle.attribute("type").as_string("grid");
    if (type != "grid") {
        error = "puzzle type \"" + type + "\" is not a grid";
        return false;
    }
    // The colour table; without one, black runs on white.
    std::vector<COLORREF> declared;
    std::map<std::string, int, std::less<>> byName;
    for (const pugi::xml_node& colour : puzzle.children("color")) {
        const std::string name = colour.attribute("name").as_string();
        const auto rgb = HexColour(Trim(colour.text().get()));
        if (name.empty() || !rgb) {
            error = "a colour of the table has no name or no RGB value";
            return false;
        }
        if (byName.count(name)) {
            error = "the colour \"" + name + "\" is declared twice";
            return false;
        }
        if (int(declared.size()) >= kMaxClueColours) {
            error = "more than " + std::to_string(kMaxClueColours) + " colours";
            return false;
        }
        byName[name] = int(declared.size());
        declared.push_back(*rgb);
    }
    // Without a table, black runs on white; a table need not declare the usual white background.
    const bool table = bool(puzzle.child("color"));
    for (const char* implied : {"white", "black"}) {
        if (byName.count(implied) || (table && std::string_view(implied) == "black")) continue;
        byName[implied] = int(declared.size());
        declared.push_back(*NamedColour(implied));
    }
    const auto find = [&](const char* attribute, const char* fallback) {
        const auto it = byName.find(std::string_view(puzzle.attribute(attribute).as_string(fallback)));
        return it == byName.end() ? -1 : it->second;
    };
    const int background = find("backgroundcolor", "white");
    if (background < 0) {
        error = "the background colour is not in the colour table";
        return false;
    }
    const int defaultColour = find("defaultcolor", "black");
    RawLines lines;
    bool haveRows = false;
    bool haveColumns = false;
    for (const pugi::xml_node& clues : puzzle.children("clues")) {
        const std::string kind = clues.attribute("type").as_string();
        if (kind != "rows" && kind != "columns") continue;
        bool& have = kind == "rows" ? haveRows : haveColumns;
        if (have) {
            error = "two lists of " + kind;
            return false;
        }
        have = true;
        if (!ReadXmlClues(clues, byName, defaultColour, kind == "rows" ? lines.rows : lines.columns, error)) return false;
    }
    if (!haveRows || !haveColumns) {
        error = "no clues for the rows or for the columns";
        return false;
    }
    if (!Finish(lines, declared, background, out, error)) return false;
    out.title = Trim(puzzle.child("title").text().get());
    return true;
}

// ---- Olšák .g --------------------------------------------------------------------------------

bool ReadOlsakG(std::string_view text, CluePuzzle& out, std::string& error) {
    std::vector<COLORREF> declared;
    std::array<int, 256> byLetter;
    byLetter.fill(-1);
    int background = -1;
    enum class Section { Preamble, Colours, Rows, Columns, End } section = Section::Preamble;
    bool declarations = false;
    RawLines lines;
    bool haveRows = false;
    bool haveColumns = false;
    std::size_t lineNo = 0;
    const auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNo) + ": " + what;
        return false;
    };
    while (!text.empty() && section != Section::End) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line.front() == ':') {
            const std::string word = Lower(Trim(line.substr(1)));
            if (word.rfind("rows", 0) == 0) {
                if (haveRows) return fail("a second list of rows");
                section = Section::Rows;
                haveRows = true;
            } else if (word.rfind("columns", 0) == 0) {
                if (haveColumns) return fail("a second list of columns");
                section = Section::Columns;
                haveColumns = true;
            } else if (word.rfind("end", 0) == 0) {
                section = Section::End;
            } else {
                return fail("unknown section \"" + std::string(Trim(line.substr(1))) + "\"");
            }
            continue;
        }
        if (!line.empty() && line.front() == '#') {
            if (section == Section::Preamble || section == Section::Colours) {
                const std::string word = Lower(Trim(line.substr(1)));
                if (word == "d") {
                    section = Section::Colours;
                    declarations = true;
                } else if (word.rfind("triddler", 0) == 0) {
                    return fail("triangular grids are not puzzles of squares");
                }
            }
            continue;
        }
        if (section == Section::Preamble) continue;
        const std::string_view body = Trim(line);
        if (body.empty()) continue;
        if (section == Section::Colours) {
            // c:o  WORD  comment
            if (body.size() < 2 || body[1] != ':') return fail("a colour declaration is not \"c:o WORD\"");
            const unsigned char letter = static_cast<unsigned char>(body[0]);
            if ((std::isdigit(letter) && letter != '0' && letter != '1') || letter == ',') {
                return fail("a colour letter cannot be a digit other than 0 and 1");
            }
            std::string_view rest = body.substr(2);
            if (!rest.empty() && !std::isspace(static_cast<unsigned char>(rest.front()))) rest.remove_prefix(1);
            rest = Trim(rest);
            const std::string_view word = rest.substr(0, std::min(rest.size(), rest.find_first_of(" \t")));
            std::optional<COLORREF> rgb = word.size() > 0 && word[0] == '#' ? HexColour(word) : NamedColour(word);
            if (!rgb) return fail("colour \"" + std::string(word) + "\" is neither #RRGGBB nor a known name");
            if (byLetter[letter] >= 0) return fail("the colour letter is declared twice");
            if (int(declared.size()) >= kMaxClueColours) return fail("too many colours");
            byLetter[letter] = int(declared.size());
            declared.push_back(*rgb);
            if (letter == '0') background = byLetter[letter];
            continue;
        }
        // A line of runs: numbers, each with an optional colour letter.
        auto& list = section == Section::Rows ? lines.rows : lines.columns;
        if (int(list.size()) >= kMaxClueSide) return fail("more than " + std::to_string(kMaxClueSide) + " lines");
        std::vector<LineRun> runs;
        std::string_view rest = body;
        while (!rest.empty()) {
            std::size_t digits = 0;
            while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
            if (digits == 0) return fail("a run does not start with its length");
            const auto length = RunLength(rest.substr(0, digits));
            if (!length) return fail("a run length beyond " + std::to_string(kMaxClueSide));
            rest.remove_prefix(digits);
            if (*length == 0) {
                if (!runs.empty() || !Trim(rest).empty()) return fail("0 stands alone for a line without runs");
                break;
            }
            int colour = -1;
            if (!rest.empty() && !std::isspace(static_cast<unsigned char>(rest[0])) && rest[0] != ',') {
                colour = byLetter[static_cast<unsigned char>(rest[0])];
                if (colour < 0) return fail(std::string("the colour letter '") + rest[0] + "' is not declared");
                rest.remove_prefix(1);
            } else {
                colour = byLetter['1'];
                if (colour < 0 && !declarations) {
                    // No declarations: black runs on white.
                    byLetter['1'] = int(declared.size());
                    declared.push_back(kBlack);
                    colour = byLetter['1'];
                }
                if (colour < 0) return fail("a run without a colour letter and no default colour declared");
            }
            if (!rest.empty() && !std::isspace(static_cast<unsigned char>(rest[0])) && rest[0] != ',') {
                return fail("runs must be apart");
            }
            while (!rest.empty() && (std::isspace(static_cast<unsigned char>(rest[0])) || rest[0] == ',')) rest.remove_prefix(1);
            if (int(runs.size()) <= kMaxClueSide) runs.push_back(LineRun{*length, 1, colour});
        }
        list.push_back(std::move(runs));
    }
    if (!haveRows || !haveColumns) {
        error = "no \": rows\" or no \": columns\" list";
        return false;
    }
    return Finish(lines, declared, background, out, error);
}

bool ReadClueFile(std::string_view text, CluePuzzle& out, std::string& error) {
    const std::string_view start = Trim(text.substr(0, 4096));
    if (!start.empty() && start.front() == '<') return ReadWebpbnXml(text, out, error);
    if (text.substr(0, 1) == ":" || text.find("\n:") != std::string_view::npos) return ReadOlsakG(text, out, error);
    out = CluePuzzle{};
    if (!ReadNonText(text, out.puzzle, error)) return false;
    out.colours = {kWhite, kBlack};
    out.puzzle.valueCount = 2;
    // The title line, `title "TEXT"` (quotes optional), names the puzzle.
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.size() < 6 || Lower(line.substr(0, 5)) != "title" || (line[5] != ' ' && line[5] != '\t')) continue;
        std::string_view title = Trim(line.substr(6));
        if (title.size() >= 2 && title.front() == '"' && title.back() == '"') title = title.substr(1, title.size() - 2);
        out.title = std::string(title);
        break;
    }
    return true;
}

bool IsClueFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string ext = Lower(fileName.substr(dot));
    return ext == ".non" || ext == ".xml" || ext == ".pbn" || ext == ".g";
}

}  // namespace mosgrid
