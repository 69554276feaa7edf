#pragma once
// Board models for the solver tests, built from text pictures in memory.
#include <memory>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"
#include "solver/core/SolveListener.h"
#include "solver/core/SolveProgress.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid::test {

// A model set up from the picture and reset (every cell blank), as the check starts from.
inline std::unique_ptr<BoardModel> BoardFromPicture(const Picture4& picture) {
    auto model = std::make_unique<BoardModel>();
    const std::vector<std::uint8_t> bytes = EncodeBmp4(picture);
    if (model->picture.LoadFromBytes(bytes.data(), bytes.size()) != 1) return nullptr;
    if (!model->SetupFromLoadedPicture(u"test")) return nullptr;
    model->Reset();
    return model;
}

inline std::unique_ptr<BoardModel> BoardFromText(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    return BoardFromPicture(PictureFromText(rows, std::move(palette)));
}

// Records what the search tells its progress, in order: 'R' SetRange, 'S' SetPos, 'G' GetPos
// (with the position returned), 'I' StepIt (with the position after it).
class RecordingProgress final : public CSolveProgress {
public:
    struct Event {
        char kind;
        std::uint32_t value;
    };
    void SetRange(std::uint32_t total) override {
        total_ = total;
        events.push_back({'R', total});
    }
    void SetPos(std::uint32_t position) override {
        position_ = position;
        events.push_back({'S', position});
    }
    std::uint32_t GetPos() override {
        events.push_back({'G', position_});
        return position_;
    }
    void StepIt() override {
        ++steps;
        position_ = position_ + 1 > total_ ? 0 : position_ + 1;
        events.push_back({'I', position_});
    }

    long steps = 0;
    std::vector<Event> events;

private:
    std::uint32_t total_ = 2500;
    std::uint32_t position_ = 0;
};

struct CellWrite {
    int column;
    int row;
    CellRecord cell;
};

class RecordingListener final : public SolveListener {
public:
    void CellWritten(int column, int row, const CellRecord& cell) override { writes.push_back({column, row, cell}); }
    void LinePassed() override { ++passes; }
    std::vector<CellWrite> writes;
    int passes = 0;
};

}  // namespace mosgrid::test
