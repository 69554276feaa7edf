// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzzers share: a failed check aborts; a scratch folder of their own; small puzzles
// searched to their second solution with a bound on the search's work, so that a hard one cannot
// stall the run (the search asks whether to stop before every line pass, probing ones included,
// and before every probe and guess, so counting the questions counts the work); and what every
// clue-file reader must give: a refusal with a one-line reason, or a puzzle whose lines and
// colours agree with each other.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "import/core/ClueFile.h"
#include "solver/core/GridSearch.h"

namespace fuzzcheck {

namespace fs = std::filesystem;

inline void Require(bool condition) {
    if (!condition) std::abort();
}

// An empty folder, in memory when the system has one so that writes and flushes cost little;
// removed with the object.
struct ScratchFolder {
    ScratchFolder() {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string name = (base / "mosgrid-fuzz.XXXXXX").string();
        Require(::mkdtemp(name.data()) != nullptr);
        path = name;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// False when the file system does not take the name.
inline bool WriteFile(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(data, 1, size, out) == size;
    return std::fclose(out) == 0 && written;
}

constexpr long kMaxPolls = 20000;

inline void SearchSmall(const mosgrid::Puzzle& p) {
    if (p.width > mosgrid::kMaxLine || p.height > mosgrid::kMaxLine || p.CellCount() > 400 ||
        p.valueCount > mosgrid::kMaxValues)
        return;
    Require(p.Valid());
    struct Bounded final : mosgrid::SearchObserver {
        explicit Bounded(int values) : values(values) {}
        bool SolutionFound(const std::vector<mosgrid::ValueMask>& cells) override {
            for (mosgrid::ValueMask v : cells) Require(v != 0 && (v & (v - 1)) == 0 && v < (1u << values));
            return ++solutions < 2;
        }
        bool StopRequested() override { return ++polls > kMaxPolls; }
        int values, solutions = 0;
        long polls = 0;
    } observer(p.valueCount);
    mosgrid::GridSearch search(p);
    search.Run(observer);
    Require(observer.solutions <= 2 && search.LinePasses() <= kMaxPolls);
}

inline void CheckRead(bool ok, const mosgrid::CluePuzzle& read, const std::string& error) {
    if (!ok) {
        Require(!error.empty() && error.find('\n') == std::string::npos);
        return;
    }
    const mosgrid::Puzzle& p = read.puzzle;
    Require(p.width >= 1 && p.height >= 1 && p.width <= mosgrid::kMaxClueSide && p.height <= mosgrid::kMaxClueSide);
    Require(int(read.colours.size()) == p.valueCount && read.colours[0] == mosgrid::kWhite);
    Require(int(p.rows.size()) == p.height && int(p.columns.size()) == p.width);
    for (const auto* lines : {&p.rows, &p.columns}) {
        const int length = lines == &p.rows ? p.width : p.height;
        for (const auto& line : *lines) {
            Require(int(line.size()) <= length + 1);
            for (const mosgrid::LineRun& run : line) {
                Require(run.length >= 1 && run.value >= 1 && run.value < p.valueCount);
                Require(read.colours[std::size_t(run.value)] != mosgrid::kWhite);
            }
        }
    }
    SearchSmall(p);
}

}  // namespace fuzzcheck
