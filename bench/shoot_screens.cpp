// SPDX-License-Identifier: GPL-3.0-or-later
// Writes pictures of the main window (at 240x320, 480x640 and 640x480), the chooser, the About
// box and a question box, for a look at the layout, at device pixel ratio 1 and 2 (the latter
// named "...@2x.png"). Usage:
//   shoot_screens [output folder] [puzzle folder]
// The pictures are copied into a temporary folder (the chooser writes its catalogue file there);
// without a puzzle folder a few pictures are made in it.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bench/AtRatios.h"
#include "bench/SilentPrompts.h"
#include "app/AboutBox.h"
#include "app/MainFrame.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/ui/ListFiles.h"
#include "tests/unit/TestPictures.h"

namespace {

using namespace mosgrid;

void Save(QWidget& widget, const std::filesystem::path& file) {
    QApplication::processEvents();
    if (!widget.grab().save(QString::fromStdString(file.string())))
        std::cerr << "could not write " << file << "\n";
    else
        std::cout << file.string() << "\n";
}

void MakePuzzles(const std::filesystem::path& folder) {
    const std::vector<std::string> heart = {
        "..11...11..", ".1111.1111.", "11111111111", "11111111111", ".111111111.",
        "..1111111..", "...11111...", "....111....", ".....1.....",
    };
    WriteBmp4(folder / "heart.bmp", test::PictureFromText(heart, {kWhite, 0x0000C0}));
    WriteBmp4(folder / "flag.bmp", test::PictureFromText({"1122", "1122", "3333"}, {kWhite, kBlack, 0x00A000, 0xFF0000}));
    WriteBmp4(folder / "dot.bmp", test::PictureFromText({"1"}, {kWhite, kBlack}));
}

int Shoot(int argc, char** argv, const std::string& suffix) {
    QApplication app(argc, argv);
    SilentPrompts prompts;
    Prompts::Install(&prompts);

    const std::filesystem::path out = argc > 1 ? argv[1] : "screenshots";
    std::filesystem::create_directories(out);
    auto file = [&](const std::string& name) { return out / bench::Suffixed(name, suffix); };
    test::TempFolder temp;
    const std::filesystem::path folder = temp.path();
    if (argc > 2) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[2]))
            if (entry.path().extension() == ".bmp") std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
    } else {
        MakePuzzles(folder);
    }

    CMainFrame frame(folder);
    frame.show();
    Save(frame, file("main_empty_480x640.png"));

    // The first puzzle of the catalogue, a few cells marked.
    CCatalog catalog(folder);
    catalog.Load();
    if (!catalog.Records().empty()) {
        const std::u16string name(catalog.Records().front().Name());
        frame.Board().SetupPuzzle(catalog.PicturePathOf(name), name);
        if (frame.Board().Model().HasPuzzle()) {
            frame.Board().ApplyFirstPuzzleColour();
            frame.Board().MarkCell(0, 0);
            frame.Board().MarkCell(1, 0);
            frame.Board().MarkCell(1, 0);
        }
        frame.UpdateMenuState();
        frame.ShowElapsedTime(0, 12, 34);
    }
    for (QSize size : {QSize(240, 320), QSize(480, 640), QSize(640, 480)}) {
        frame.resize(size);
        Save(frame, file("main_" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + ".png"));
    }

    frame.resize(480, 640);
    {
        CListFiles chooser(folder, &frame);
        chooser.show();
        Save(chooser, file("chooser.png"));
    }
    {
        CAboutBox about(&frame);
        about.show();
        Save(about, file("about.png"));
    }
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Mosgrid"),
                        QStringLiteral("Вы действительно хотите открыть поле ?\n(Игра будет проиграна)  "),
                        QMessageBox::NoButton, &frame);
        box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.show();
        Save(box, file("question.png"));
    }
    Prompts::Install(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return bench::ShootAtRatios([&](const std::string& suffix) { return Shoot(argc, argv, suffix); });
}
