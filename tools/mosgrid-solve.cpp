// SPDX-License-Identifier: GPL-3.0-or-later
// mosgrid-solve [--max N] [--threads N] [--json] [--print] FILE...    mosgrid-solve --help | --version
//
// Counts the solutions of puzzles: pictures (BMP, 4-bit or 8-bit, clues derived as the game
// derives them, colour pictures too) and two-colour clue files in the ".non" text layout (up to
// 100 x 100). The search stops once N solutions are found (default 100; 2 settles uniqueness).
// For each file one line: size, colours, solutions ("+" when the count reached N), whether line
// passes alone solve it, guesses and the search's processor time; --json writes one JSON object
// a line instead. --print writes the solutions found after the file's line, in lexicographic
// order, as rows of '.' and '#', with one blank line between grids. --threads N splits the
// search across N threads (default: the machine's cores); the results never depend on it.
// Exit code: 0 when every file was read, 1 when some file could not be read or parsed (a
// one-line error on standard error for each), 2 for a wrong command line.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/RegularFile.h"
#include "solver/core/PuzzleFile.h"

namespace {

struct Options {
    long max = 100;
    bool json = false;
    bool print = false;
    int threads = int(std::max(1u, std::thread::hardware_concurrency()));
};

mosgrid::SolutionSearchOptions Search(const Options& options) {
    mosgrid::SolutionSearchOptions search;
    search.threads = options.threads;
    return search;
}

bool SolveFile(const char* file, const Options& options) {
    std::string error;
    mosgrid::PuzzleFile puzzle;
    // Only regular files are read (a pipe or a device would never end), and none larger than
    // any puzzle file can be.
    constexpr std::uint64_t kMaxFileBytes = 64u << 20;
    std::error_code code;
    const mosgrid::RegularFile in{std::filesystem::path(file)};
    if (std::filesystem::is_directory(file, code)) {
        error = "is a folder";
    } else if (!std::filesystem::exists(file, code)) {
        error = std::strerror(ENOENT);
    } else if (!in) {
        error = "is not a regular file or cannot be opened";
    } else if (in.Size() > kMaxFileBytes) {
        error = "is too large for a puzzle file";
    } else if (const auto bytes = in.Read(0, std::size_t(in.Size())); !bytes) {
        error = "read error";
    } else {
        mosgrid::ReadPuzzleFile(std::string(bytes->begin(), bytes->end()), puzzle, error);
    }
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", file, error.c_str());
        return false;
    }
    const mosgrid::CountResult result = mosgrid::CountSolutions(puzzle.puzzle, options.max, options.print, Search(options));
    if (options.json) {
        std::printf("%s\n", mosgrid::JsonLine(file, puzzle, result).c_str());
    } else {
        std::printf("%s: %d x %d, %d colours, solutions %ld%s, lines alone %s, %ld guesses, %.3f ms\n", file,
                    puzzle.puzzle.width, puzzle.puzzle.height, puzzle.colours, result.solutions,
                    result.capped ? "+" : "", result.lineSolvable ? "yes" : "no", result.guesses, result.ms);
    }
    for (std::size_t k = 0; k < result.grids.size(); ++k) {
        std::printf("%s%s", k > 0 ? "\n" : "", mosgrid::GridText(puzzle.puzzle, result.grids[k]).c_str());
    }
    std::fflush(stdout);
    return true;
}

int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--max N] [--threads N] [--json] [--print] FILE... (see --help)\n", program);
    return 2;
}

int Help(const char* program) {
    std::printf("Usage: %s [--max N] [--threads N] [--json] [--print] FILE...\n"
                "Counts the solutions of nonogram puzzles: BMP pictures (4-bit or 8-bit) and two-colour\n"
                ".non clue files.\n\n"
                "Options:\n"
                "  --max N     stop at N solutions (default 100; 2 settles uniqueness)\n"
                "  --threads N search on N threads (default: the machine's cores); the results\n"
                "              never depend on it\n"
                "  --json      one JSON object a line per file\n"
                "  --print     the solutions found, as rows of '#' and '.'\n"
                "  --help      show this help and exit\n"
                "  --version   show the version and exit\n\n"
                "Exit status: 0 when every file was read, 1 when one could not be, 2 for a wrong\n"
                "command line.\n",
                program);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::vector<const char*> files;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnd || arg.empty() || arg[0] != '-') {
            files.push_back(argv[i]);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help" || arg == "-h") {
            return Help(argv[0]);
        } else if (arg == "--version") {
            std::printf("mosgrid-solve %s\n", MOSGRID_VERSION);
            return 0;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--print") {
            options.print = true;
        } else if (arg == "--max" && i + 1 < argc) {
            char* end = nullptr;
            errno = 0;
            const long n = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || n < 1 || errno == ERANGE) return Usage(argv[0]);
            options.max = n;
        } else if (arg == "--threads" && i + 1 < argc) {
            char* end = nullptr;
            errno = 0;
            const long n = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || n < 1 || n > 1024 || errno == ERANGE) return Usage(argv[0]);
            options.threads = int(n);
        } else {
            return Usage(argv[0]);
        }
    }
    if (files.empty()) return Usage(argv[0]);
    bool allRead = true;
    for (const char* file : files) allRead = SolveFile(file, options) && allRead;
    return allRead ? 0 : 1;
}
