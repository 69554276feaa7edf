// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/TimedSearch.h"

#include <algorithm>
#include <bit>

namespace mosgrid {

namespace {

class Deadline final : public SearchObserver {
public:
    Deadline(long cap, std::chrono::steady_clock::time_point end, int keep, const std::atomic<bool>* stop,
             TimedCount& out)
        : cap_(cap), end_(end), keep_(keep), stop_(stop), out_(out) {}
    bool SolutionFound(const std::vector<ValueMask>& cells) override {
        ++out_.solutions;
        if (int(out_.grids.size()) < keep_) out_.grids.push_back(cells);
        return out_.solutions < cap_;
    }
    bool StopRequested() override {
        if (std::chrono::steady_clock::now() < end_ && !(stop_ && stop_->load())) return false;
        out_.timedOut = true;
        return true;
    }

private:
    long cap_;
    std::chrono::steady_clock::time_point end_;
    int keep_;
    const std::atomic<bool>* stop_;
    TimedCount& out_;
};

}  // namespace

TimedCount CountWithin(const Puzzle& puzzle, long cap, std::chrono::milliseconds limit, int keep,
                       GridSearch::Options options, const std::atomic<bool>* stop) {
    TimedCount out;
    const auto start = std::chrono::steady_clock::now();
    if (!LinesCanFit(puzzle)) return out;
    GridSearch search(puzzle, options);
    Deadline observer(cap, start + limit, keep, stop, out);
    search.Run(observer);
    out.capped = out.solutions >= cap;
    out.linesAlone = search.SolvedByLines();
    out.guesses = search.Guesses();
    out.probes = search.Probes();
    out.elapsed = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    return out;
}

Puzzle PuzzleFromPicture(const Picture4& picture) {
    Puzzle p;
    p.width = picture.width;
    p.height = picture.height;
    p.valueCount = std::max<int>(2, int(picture.palette.size()));
    const auto value = [&](int x, int y) {
        const int index = picture.indices[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
        return picture.palette[std::size_t(index)] == kWhite ? 0 : index;
    };
    const auto lineOf = [](auto&& at, int length) {
        std::vector<LineRun> runs;
        for (int i = 0; i < length;) {
            const int v = at(i);
            int j = i + 1;
            while (j < length && at(j) == v) ++j;
            if (v != 0) runs.push_back(LineRun{j - i, v, v});
            i = j;
        }
        return runs;
    };
    for (int y = 0; y < p.height; ++y) p.rows.push_back(lineOf([&](int x) { return value(x, y); }, p.width));
    for (int x = 0; x < p.width; ++x) p.columns.push_back(lineOf([&](int y) { return value(x, y); }, p.height));
    return p;
}

std::vector<ValueMask> CellsOfPicture(const Picture4& picture) {
    std::vector<ValueMask> cells(picture.indices.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int index = picture.indices[i];
        cells[i] = picture.palette[std::size_t(index)] == kWhite ? kEmptyBit : ValueMask(1) << index;
    }
    return cells;
}

bool LinesCanFit(const Puzzle& puzzle) {
    for (const auto* lines : {&puzzle.rows, &puzzle.columns}) {
        const int length = lines == &puzzle.rows ? puzzle.width : puzzle.height;
        for (const auto& line : *lines) {
            long need = 0;
            for (std::size_t k = 0; k < line.size(); ++k) {
                need += line[k].length;
                if (k > 0 && line[k].colourIndex == line[k - 1].colourIndex) ++need;
            }
            if (need > length) return false;
        }
    }
    return true;
}

}  // namespace mosgrid
