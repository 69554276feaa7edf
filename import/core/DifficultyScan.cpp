// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/DifficultyScan.h"

#include "common/RegularFile.h"
#include "solver/core/PuzzleFile.h"

namespace mosgrid {

DifficultyScan::DifficultyScan(std::vector<std::filesystem::path> files, DifficultyCache cache,
                               std::function<void(const RatedPicture&)> report, std::chrono::milliseconds limit)
    : files_(std::move(files)), cache_(std::move(cache)), report_(std::move(report)), limit_(limit) {
    thread_ = std::thread([this] { Run(); });
}

DifficultyScan::~DifficultyScan() {
    Stop();
    if (thread_.joinable()) thread_.join();
}

DifficultyCache DifficultyScan::Finish() {
    if (thread_.joinable()) thread_.join();
    return std::move(cache_);
}

void DifficultyScan::Run() {
    // No puzzle picture is larger than a 50 x 50 BMP with a 256-entry palette.
    constexpr std::size_t kMaxPictureBytes = 1u << 20;
    for (const std::filesystem::path& file : files_) {
        if (stop_) return;
        RatedPicture rated{file, Difficulty::Unknown, false};
        const auto bytes = ReadRegularFile(file, kMaxPictureBytes);
        if (bytes) {
            const std::uint64_t key = DifficultyCache::Key(*bytes);
            if (const auto known = cache_.Find(key)) {
                rated.level = *known;
                rated.fromCache = true;
            } else {
                PuzzleFile puzzle;
                std::string error;
                if (ReadPuzzleFile(std::string(bytes->begin(), bytes->end()), puzzle, error)) {
                    rated.level = RateDifficulty(puzzle.puzzle, limit_, &stop_);
                    if (stop_) return;
                    cache_.Put(key, rated.level);
                }
            }
        }
        if (stop_) return;
        report_(rated);
    }
}

}  // namespace mosgrid
