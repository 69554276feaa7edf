// SPDX-License-Identifier: GPL-3.0-or-later
// Writes pictures of the main window with bundled puzzles in play, each partly solved the way a
// player would leave it: the top third of the rows marked from the picture (painted cells and
// crossed white ones) with their row clues crossed out, and one column marked with its clues
// crossed out. For a look at how the puzzles read on the board. Usage:
//   shoot_puzzles [output folder] [puzzle folder] [puzzle name...]
// The puzzle folder defaults to the built program's folder; without names a small two-colour
// puzzle, a 15 x 15 colour one, a large colour one and a 50-high one are shot. Each window size
// runs in a child process whose offscreen screen has that size, so the board picks the assets it
// would pick on a device of that screen; the 480 x 640 one is shot once more on a screen of
// device pixel ratio 2 ("..._480x640@2x.png"). The pictures are copied into a temporary folder
// first, so the program folder is never written.
#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "bench/AtRatios.h"
#include "bench/SilentPrompts.h"
#include "app/MainFrame.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/Text.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;
namespace fs = std::filesystem;

struct Options {
    fs::path out = "screenshots";
    fs::path puzzles = MOSGRID_GAME_DIR;
    std::vector<std::string> names = {"Кот", "Мухомор", "Новогодняя ёлка", "Собор"};
};

// Marks a part of the puzzle correctly, as a player would, and draws the board from it.
void MarkPart(CGmGride& board) {
    BoardModel m = board.Model();
    const int markedRows = std::max(1, m.rows() / 3);
    for (int r = 0; r < markedRows; ++r) {
        for (int c = 0; c < m.cols(); ++c) m.Cell(c, r) = CellRecord{0, m.PictureColour(c, r)};
        for (int k = 0; k < m.R; ++k) m.RowClue(r, k).done = 1;
    }
    const int column = m.cols() / 2;
    for (int r = 0; r < m.rows(); ++r) m.Cell(column, r) = CellRecord{0, m.PictureColour(column, r)};
    for (int k = 0; k < m.K; ++k) m.ColumnClue(column, k).done = 1;
    board.RestorePlay(m);
}

int Shoot(int argc, char** argv, const Options& options, QSize size, int ratio) {
    QApplication app(argc, argv);
    SilentPrompts prompts;
    Prompts::Install(&prompts);
    test::TempFolder folder;
    int failures = 0;
    for (const std::string& name : options.names) {
        std::error_code ec;
        fs::copy_file(options.puzzles / (name + ".bmp"), folder / (name + ".bmp"), ec);
        if (ec) {
            std::cerr << (options.puzzles / (name + ".bmp")).string() << ": " << ec.message() << "\n";
            ++failures;
        }
    }
    {
        CMainFrame frame(folder.path());
        frame.resize(size);
        frame.show();
        QApplication::processEvents();
        const std::string suffix = "_" + std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                                   (ratio == 1 ? "" : "@" + std::to_string(ratio) + "x") + ".png";
        for (const std::string& name : options.names) {
            if (!fs::exists(folder / (name + ".bmp"))) continue;
            frame.Board().SetupPuzzle(folder / (name + ".bmp"), Utf8ToUtf16(name));
            if (!frame.Board().Model().HasPuzzle()) {
                std::cerr << name << ": not a puzzle\n";
                ++failures;
                continue;
            }
            frame.Board().ApplyFirstPuzzleColour();
            MarkPart(frame.Board());
            frame.Board().StopTimer();
            frame.ShowElapsedTime(0, 12, 34);
            frame.UpdateMenuState();
            QApplication::processEvents();
            const fs::path file = options.out / (name + suffix);
            if (frame.grab().save(QString::fromStdString(file.string()))) {
                std::cout << file.string() << "\n";
            } else {
                std::cerr << "could not write " << file.string() << "\n";
                ++failures;
            }
        }
    }
    Prompts::Install(nullptr);
    return failures == 0 ? 0 : 1;
}

// The offscreen platform's description of one screen of the given size.
fs::path ScreenConfig(const fs::path& folder, QSize size, int ratio) {
    const fs::path file = folder / ("screen_" + std::to_string(size.width()) + "_" + std::to_string(ratio) + ".json");
    std::ofstream json(file);
    json << R"({"screens": [{"name": "shot", "x": 0, "y": 0, "width": )" << size.width()
         << R"(, "height": )" << size.height() << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" << ratio << "}]}";
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc > 1) options.out = argv[1];
    if (argc > 2) options.puzzles = argv[2];
    if (argc > 3) options.names.assign(argv + 3, argv + argc);
    fs::create_directories(options.out);

    test::TempFolder configs;
    int status = 0;
    for (auto [size, ratio] :
         {std::pair(QSize(480, 640), 1), std::pair(QSize(240, 320), 1), std::pair(QSize(480, 640), 2)}) {
        const int result = bench::RunInChild([&] {
            const std::string platform = "offscreen:configfile=" + ScreenConfig(configs.path(), size * ratio, ratio).string();
            setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
            return Shoot(argc, argv, options, size, ratio);
        });
        if (result == 2) return 2;
        if (result != 0) status = 1;
    }
    return status;
}
