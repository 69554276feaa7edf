// SPDX-License-Identifier: GPL-3.0-or-later
// Writes PNG pictures of boards in play, for a person to look at: a 5 x 5, a 15 x 15 colour
// puzzle, a scrolled 50 x 50, and hints with complete lines (with an enlarged corner), each at
// device pixel ratio 1 and 2 (the latter named "...@2x.png"). Usage:
//   shoot_board [output folder]
#include <QApplication>
#include <QScrollBar>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>

#include "bench/AtRatios.h"
#include "bench/SilentPrompts.h"
#include "board/ui/GmGride.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;

struct Shooter {
    std::filesystem::path out;
    std::string suffix;
    test::TempFolder folder;

    // A board of w x h pixels with the picture of `rows` set up as the chooser would.
    std::unique_ptr<CGmGride> Board(int w, int h, const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
        WriteBmp4(folder / "p.bmp", test::PictureFromText(rows, std::move(palette)));
        auto board = std::make_unique<CGmGride>(folder.path(), nullptr);
        board->resize(w, h);
        board->show();
        board->SetupPuzzle(folder / "p.bmp", u"p");
        board->ApplyFirstPuzzleColour();
        QApplication::processEvents();
        return board;
    }
    // Marks every cell as the picture has it (white cells crossed) except where `skip` says.
    static void Solve(CGmGride& board, const std::function<bool(int, int)>& skip) {
        const BoardModel& m = board.Model();
        for (int r = 0; r < m.rows(); ++r) {
            for (int c = 0; c < m.cols(); ++c) {
                if (skip(c, r)) continue;
                const COLORREF want = m.PictureColour(c, r);
                if (want != kWhite) board.SetCurrentColour(want);
                while (m.Cell(c, r).state != 0 || m.Cell(c, r).colour != want) board.MarkCell(c, r);
            }
        }
    }
    void Save(CGmGride& board, const char* name, QRect zoom = {}) {
        board.RepaintNow();
        QImage image = board.ComposedImage();
        const qreal ratio = image.devicePixelRatio();
        if (!zoom.isNull()) {
            const QRect device(zoom.topLeft() * ratio, zoom.size() * ratio);
            image = image.copy(device).scaled(zoom.size() * 6);
        }
        const auto file = out / bench::Suffixed(name, suffix);
        if (image.save(QString::fromStdString(file.string()))) std::cout << file.string() << "\n";
        else std::cerr << "could not write " << file << "\n";
    }
};

}  // namespace

namespace {

int Shoot(int argc, char** argv, const std::string& suffix) {
    QApplication app(argc, argv);
    SilentPrompts prompts;
    Prompts::Install(&prompts);
    Shooter shot;
    shot.suffix = suffix;
    shot.out = argc > 1 ? argv[1] : "screenshots";
    std::filesystem::create_directories(shot.out);
    {
        auto board = shot.Board(240, 268, {".111.", "1...1", "1.1.1", "1...1", ".111."}, {kWhite, kBlack});
        Shooter::Solve(*board, [](int c, int r) { return r >= 3 || (c == 4 && r == 2); });
        BoardModel crossed = board->Model();
        crossed.ColumnClue(0, 0).done = 1;
        crossed.RowClue(0, 0).done = 1;
        board->RestorePlay(crossed);
        shot.Save(*board, "board_5x5.png");
    }
    {
        std::vector<std::string> rows;
        for (int r = 0; r < 15; ++r) {
            std::string line;
            for (int c = 0; c < 15; ++c) {
                const int d = (c - 7) * (c - 7) + (r - 7) * (r - 7);
                line += d <= 9 ? '3' : d <= 25 ? '2' : d <= 49 ? '1' : (r + c) % 4 == 0 ? '4' : '.';
            }
            rows.push_back(line);
        }
        auto board = shot.Board(480, 640, rows, {kWhite, kRed, 0x00FFFF, 0x800000, kBlack});
        Shooter::Solve(*board, [](int c, int r) { return r > 9 || c > 11; });
        BoardModel crossed = board->Model();
        crossed.ColumnClue(7, 0).done = 1;
        crossed.RowClue(7, 1).done = 1;
        crossed.RowClue(3, 0).done = 1;
        board->RestorePlay(crossed);
        shot.Save(*board, "board_15x15_colour.png");
    }
    {
        std::vector<std::string> rows;
        for (int r = 0; r < 50; ++r) {
            std::string line;
            for (int c = 0; c < 50; ++c) line += ((c / 3 + r / 4) % 3 == 0 || c == r) ? '1' : '.';
            rows.push_back(line);
        }
        auto board = shot.Board(480, 640, rows, {kWhite, 0xFF0000});
        Shooter::Solve(*board, [](int c, int r) { return r > 30 || c > 35; });
        board->horizontalScrollBar()->setSliderPosition(board->horizontalScrollBar()->maximum() / 2);
        board->verticalScrollBar()->setSliderPosition(board->verticalScrollBar()->maximum() / 3);
        shot.Save(*board, "board_50x50_scrolled.png");
    }
    {
        auto board = shot.Board(480, 640, {"..1..", ".111.", "11111", ".111.", "..1..", "..1.."}, {kWhite, kRed});
        board->SetHints(true);
        Shooter::Solve(*board, [](int c, int r) { return r == 5 || (c == 0 && r == 3); });
        shot.Save(*board, "board_hints.png");
        // The grid's top-left corner with the hint marks on its borders, enlarged six times.
        const int left = board->Model().R * board->CellSize() - board->HorizontalOffset();
        const int top = board->Model().K * board->CellSize() - board->VerticalOffset();
        shot.Save(*board, "board_hints_zoom.png", QRect(left - 20, top - 20, 80, 80));
    }
    Prompts::Install(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return bench::ShootAtRatios([&](const std::string& suffix) { return Shoot(argc, argv, suffix); });
}
