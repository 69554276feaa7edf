// Writes PNG pictures of boards in play into the folder named by MOSGRID_SCREENSHOT_DIR, for a
// person to look at; skipped when the variable is not set.
#include <QDir>
#include <QScrollBar>

#include "tests/gui/BoardFixture.h"

namespace mosgrid::test {
namespace {

class BoardScreenshots : public BoardFixture {
protected:
    void SetUp() override {
        dir = qEnvironmentVariable("MOSGRID_SCREENSHOT_DIR");
        if (dir.isEmpty()) GTEST_SKIP() << "MOSGRID_SCREENSHOT_DIR not set";
        QDir().mkpath(dir);
    }
    void Save(const char* name) {
        board->RepaintNow();
        ASSERT_TRUE(board->ComposedImage().save(dir + "/" + name));
    }
    // Paints every cell as the picture has it except where `skip` says, crossing white cells.
    void Solve(bool (*skip)(int c, int r)) {
        for (int r = 0; r < model().rows(); ++r) {
            for (int c = 0; c < model().cols(); ++c) {
                if (skip(c, r)) continue;
                COLORREF want = model().PictureColour(c, r);
                if (want == kWhite) {
                    board->SetCurrentColour(kRed == model().currentColour ? kRed : model().currentColour);
                    Tap(CellPoint(c, r));
                    if (model().Cell(c, r).colour != kWhite) Tap(CellPoint(c, r));
                } else {
                    board->SetCurrentColour(want);
                    Tap(CellPoint(c, r));
                }
            }
        }
    }
    QString dir;
};

TEST_F(BoardScreenshots, FiveByFive) {
    MakeBoard(240, 268);
    Load({".111.", "1...1", "1.1.1", "1...1", ".111."}, {kWhite, kBlack});
    Solve([](int c, int r) { return r >= 3 || (c == 4 && r == 2); });
    DoubleTap(ColumnCluePoint(0, 0));
    DoubleTap(RowCluePoint(0, 0));
    Save("board_5x5.png");
}

TEST_F(BoardScreenshots, FifteenByFifteenColour) {
    MakeBoard(480, 640);
    std::vector<std::string> rows;
    for (int r = 0; r < 15; ++r) {
        std::string line;
        for (int c = 0; c < 15; ++c) {
            int d = (c - 7) * (c - 7) + (r - 7) * (r - 7);
            line += d <= 9 ? '3' : d <= 25 ? '2' : d <= 49 ? '1' : (r + c) % 4 == 0 ? '4' : '.';
        }
        rows.push_back(line);
    }
    Load(rows, {kWhite, kRed, kYellow, kNavy, kBlack});
    Solve([](int c, int r) { return r > 9 || c > 11; });
    DoubleTap(ColumnCluePoint(7, 0));
    DoubleTap(RowCluePoint(7, 1));
    DoubleTap(RowCluePoint(3, 0));
    Save("board_15x15_colour.png");
}

TEST_F(BoardScreenshots, FiftyByFiftyScrolled) {
    MakeBoard(480, 640);
    std::vector<std::string> rows;
    for (int r = 0; r < 50; ++r) {
        std::string line;
        for (int c = 0; c < 50; ++c) line += ((c / 3 + r / 4) % 3 == 0 || c == r) ? '1' : '.';
        rows.push_back(line);
    }
    Load(rows, {kWhite, kBlue});
    Solve([](int c, int r) { return r > 30 || c > 35; });
    board->horizontalScrollBar()->setSliderPosition(board->horizontalScrollBar()->maximum() / 2);
    board->verticalScrollBar()->setSliderPosition(board->verticalScrollBar()->maximum() / 3);
    Save("board_50x50_scrolled.png");
}

TEST_F(BoardScreenshots, HintsWithCompleteLines) {
    MakeBoard(480, 640);
    Load({"..1..", ".111.", "11111", ".111.", "..1..", "..1.."}, {kWhite, kRed});
    board->SetHints(true);
    Solve([](int c, int r) { return r == 5 || (c == 0 && r == 3); });
    Save("board_hints.png");
    // The left border beside the first rows and the top border above the first columns,
    // enlarged six times.
    const int left = model().R * s() - board->HorizontalOffset();
    const int top = model().K * s() - board->VerticalOffset();
    QImage zoom = board->ComposedImage().copy(left - 20, top - 20, 80, 80);
    ASSERT_TRUE(zoom.scaled(480, 480, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(dir + "/board_hints_zoom.png"));
}

}  // namespace
}  // namespace mosgrid::test
