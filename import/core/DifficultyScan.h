// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "import/core/Difficulty.h"

namespace mosgrid {

// One picture rated by a scan.
struct RatedPicture {
    std::filesystem::path path;
    Difficulty level = Difficulty::Unknown;
    bool fromCache = false;  // its bytes were rated before
};

// Rates picture files on a thread of its own, so that a list can show them at once and fill in
// the levels as they come: each file's level comes from the cache when the same bytes were
// rated before, else from the solver (and goes into the cache). A file that cannot be read as a
// puzzle picture is Unknown; an Unknown from a stopped search is not remembered. `report` runs
// on the scan's thread, once a file, in order.
class DifficultyScan {
public:
    DifficultyScan(std::vector<std::filesystem::path> files, DifficultyCache cache,
                   std::function<void(const RatedPicture&)> report,
                   std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Stops the scan and waits for its thread.
    ~DifficultyScan();
    DifficultyScan(const DifficultyScan&) = delete;
    DifficultyScan& operator=(const DifficultyScan&) = delete;

    // Asks the scan to end soon: the search under way stops at its next poll, and no further file
    // is reported. Safe from any thread, the report included.
    void Stop() { stop_ = true; }
    // Waits for the scan to end and hands over the cache with what it learnt.
    DifficultyCache Finish();

private:
    void Run();

    std::vector<std::filesystem::path> files_;
    DifficultyCache cache_;
    std::function<void(const RatedPicture&)> report_;
    std::chrono::milliseconds limit_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace mosgrid
