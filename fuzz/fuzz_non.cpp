// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the clue-file reader, up to the command-line solver's 64 MB limit
// (.ci/run sets -max_len to it). Whatever it accepts must be a puzzle the search takes; small
// ones are searched to their second solution.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "solver/core/NonFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mosgrid::Puzzle puzzle;
    std::string error;
    if (!mosgrid::ReadNonText(std::string_view(reinterpret_cast<const char*>(data), size), puzzle, error)) {
        fuzzcheck::Require(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    fuzzcheck::Require(puzzle.Valid());
    fuzzcheck::SearchSmall(puzzle);
    return 0;
}
