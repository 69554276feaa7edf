#include "solver/core/SolvePuzzle.h"

#include "solver/core/PuzzleSolver.h"

namespace mosgrid {

SolveResult SolvePuzzle(BoardModel& model, CSolveProgress& progress, SolveListener* listener) {
    SolveResult result;
    if (!model.HasPuzzle()) return result;
    const auto start = std::chrono::steady_clock::now();
    PuzzleSolver solver(model, listener);
    if (!solver.Usable()) {
        result.unsupported = true;
        return result;
    }
    model.ReleaseVariants();
    progress.SetRange(std::uint32_t(model.cols()) * std::uint32_t(model.rows()));
    solver.MarkAllLinesPending();
    solver.contradiction = 0;
    solver.SearchSolutions(progress, 0, 0);
    result.elapsed = std::chrono::steady_clock::now() - start;
    result.count = int(model.variants.size());
    result.storeFull = solver.StoreFull();
    result.guesses = solver.Guesses();
    result.linePasses = solver.LinePasses();
    result.stopped = solver.Stopped();
    result.linesAlone = !result.stopped && result.guesses == 0 && result.count == 1;
    return result;
}

}  // namespace mosgrid
