// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every clue-file reader must give: a refusal with a one-line reason, or a puzzle whose
// lines and colours agree with each other; small puzzles are searched to their second solution,
// with a bound on the search's work so that a hard one cannot stall the run: the search asks
// whether to stop before every line pass, probing ones included, so the questions count the work.
#include <cstdlib>
#include <string>

#include "import/core/ClueFile.h"
#include "solver/core/GridSearch.h"

namespace fuzzcheck {

inline void Require(bool condition) {
    if (!condition) std::abort();
}

class Bounded final : public mosgrid::SearchObserver {
public:
    explicit Bounded(int values) : values_(values) {}
    bool SolutionFound(const std::vector<mosgrid::ValueMask>& cells) override {
        for (mosgrid::ValueMask v : cells) Require(v != 0 && (v & (v - 1)) == 0 && v < (1u << values_));
        return ++solutions < 2;
    }
    bool StopRequested() override { return ++polls > 20000; }
    int solutions = 0;
    long polls = 0;

private:
    int values_;
};

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
    if (p.width <= mosgrid::kMaxLine && p.height <= mosgrid::kMaxLine && p.CellCount() <= 400 &&
        p.valueCount <= mosgrid::kMaxValues) {
        Require(p.Valid());
        mosgrid::GridSearch search(p);
        Bounded observer(p.valueCount);
        search.Run(observer);
        Require(observer.solutions <= 2);
    }
}

}  // namespace fuzzcheck
