// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the clue-file reader, up to the command-line solver's 64 MB limit
// (.ci/run sets -max_len to it). Whatever it accepts must be a puzzle the search takes; small
// ones are searched to their second solution, with a bound on the search's work so that a hard
// puzzle cannot stall the run: the search asks whether to stop before every line pass, probing
// ones included, and before every probe and guess, so counting the questions counts the work.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "solver/core/GridSearch.h"
#include "solver/core/NonFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

class Bounded final : public mosgrid::SearchObserver {
public:
    bool SolutionFound(const std::vector<mosgrid::ValueMask>& cells) override {
        for (mosgrid::ValueMask v : cells) Require(v == 1 || v == 2);
        return ++solutions < 2;
    }
    bool StopRequested() override { return ++polls > kMaxPolls; }
    static constexpr long kMaxPolls = 20000;
    int solutions = 0;
    long polls = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    mosgrid::Puzzle puzzle;
    std::string error;
    if (!mosgrid::ReadNonText(text, puzzle, error)) {
        Require(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    Require(puzzle.Valid());
    if (puzzle.CellCount() <= 400) {
        mosgrid::GridSearch search(puzzle);
        Bounded observer;
        search.Run(observer);
        Require(observer.solutions <= 2);
        Require(search.LinePasses() <= Bounded::kMaxPolls);
    }
    return 0;
}
