// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of reading two large ".non" clue files: 100 kB of blank lines between a rows section's
// keyword and its one clue line, and 60 MB of newlines in a rows section (a file under the
// command-line solver's 64 MB limit). Prints the time of one read and the reader's peak heap
// use (the file's own bytes not counted), counted by the replaced global allocation functions.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "solver/core/NonFile.h"

namespace {

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void* Allocate(std::size_t size) {
    void* p = std::malloc(size + 16);
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = size;
    const std::size_t now = live.fetch_add(size) + size;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {}
    return static_cast<char*>(p) + 16;
}

void Free(void* p) {
    if (!p) return;
    char* block = static_cast<char*>(p) - 16;
    live.fetch_sub(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

std::string BlankLinesBeforeTheLastClue() {
    return "width 1\nheight 1\nrows\n" + std::string(100 * 1024, '\n') + "1\ncolumns\n1\n";
}

std::string SixtyMegabytesOfNewlines() {
    return "width 1\nheight 1\ncolumns\n1\nrows\n" + std::string(60u << 20, '\n');
}

void Read(benchmark::State& state, std::string (*make)()) {
    const std::string text = make();
    std::size_t most = 0;
    for (auto _ : state) {
        mosgrid::Puzzle puzzle;
        std::string error;
        const std::size_t before = live.load();
        peak.store(before);
        const bool ok = mosgrid::ReadNonText(text, puzzle, error);
        most = std::max(most, peak.load() - before);
        if (!ok) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(puzzle);
    }
    state.counters["peak_heap_kB"] = double(most) / 1024.0;
    state.counters["file_kB"] = double(text.size()) / 1024.0;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

BENCHMARK_CAPTURE(Read, BlankLinesBeforeTheLastClue_100kB, BlankLinesBeforeTheLastClue)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Read, Newlines_60MB, SixtyMegabytesOfNewlines)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
