// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace mosgrid {

// How the search reports how far it got. The check's progress dialog implements it; the
// position counts the cells that line passes decided on the branch being explored.
class CSolveProgress {
public:
    virtual ~CSolveProgress() = default;
    virtual void SetRange(std::uint32_t total) = 0;
    virtual void SetPos(std::uint32_t position) = 0;
    virtual std::uint32_t GetPos() = 0;
    virtual void StepIt() = 0;
};

// A progress that only keeps its numbers: for callers without a display (tools, benchmarks).
// StepIt wraps to 0 past the range, as the dialog's bar does.
class CountingProgress final : public CSolveProgress {
public:
    void SetRange(std::uint32_t total) override { total_ = total; }
    void SetPos(std::uint32_t position) override { position_ = position; }
    std::uint32_t GetPos() override { return position_; }
    void StepIt() override { position_ = position_ + 1 > total_ ? 0 : position_ + 1; }

private:
    std::uint32_t total_ = 0;
    std::uint32_t position_ = 0;
};

}  // namespace mosgrid
