// mosgrid_solve FILE.bmp...
// Solves each picture's puzzle and prints its size, its number of colours, the number of
// solutions found (at most 100; "100+" when the store filled), whether the line passes alone
// solved it and the solver's time. Exit code: 0 when every puzzle has exactly one solution,
// 1 otherwise, 2 when a file could not be read as a puzzle picture.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "board/core/BoardModel.h"
#include "catalogue/core/Text.h"
#include "solver/core/SolvePuzzle.h"

namespace {

int SolveFile(const char* file) {
    const std::filesystem::path path(file);
    auto model = std::make_unique<mosgrid::BoardModel>();
    if (!model->Setup(path, mosgrid::Utf8ToUtf16(path.stem().string()))) {
        std::fprintf(stderr, "%s: cannot be read as a puzzle picture (at most %d x %d pixels)\n", file,
                     mosgrid::kMaxSide, mosgrid::kMaxSide);
        return 2;
    }
    model->Reset();
    mosgrid::CountingProgress progress;
    const mosgrid::SolveResult result = mosgrid::SolvePuzzle(*model, progress);
    if (result.unsupported) {
        std::printf("%s: %d x %d, %d colours: too many colours for the solver\n", file, model->cols(),
                    model->rows(), model->picture.colourCount);
        return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(result.elapsed).count();
    const std::string count = std::to_string(result.count) + (result.storeFull ? "+" : "");
    std::printf("%s: %d x %d, %d colours, solutions %s, lines alone %s, %ld guesses, %.3f ms\n", file,
                model->cols(), model->rows(), model->picture.colourCount, count.c_str(),
                result.linesAlone ? "yes" : "no", result.guesses, ms);
    return result.count == 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.bmp...\n", argv[0]);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const int s = SolveFile(argv[i]);
        if (s > status) status = s;
    }
    return status;
}
