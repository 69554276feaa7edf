// SPDX-License-Identifier: GPL-3.0-or-later
// The game carried from one run to the next through the real main window: the same board after
// quitting and starting again, and the path told when the file cannot be written.
#include "app/ColourSwatch.h"
#include "app/StringTime.h"
#include "savegame/core/LastGameCodec.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr COLORREF kBlue = 0xFF0000;
const std::vector<std::string> kTen = {"..11111...", ".1222221..", "1222..2221", "12.2..2.21", "1222222221",
                                       ".12....21.", "..122221..", "...1111...", "....11....", "....11....",
                                       "...1..1...", "..1....1..", ".1......1.", "1111111111", "2.2.2.2.2."};

TEST(LastGameTest, QuitAndStartAgainShowsTheSameBoardAndAFailedSaveShowsThePath) {
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    const fs::path file = folder / "lastcrw.sav";
    // The folder's only puzzle, 10 x 15 in red and blue, its extension in capitals.
    ASSERT_TRUE(WriteBmp4(folder / "Ten.BMP", test::PictureFromText(kTen, {kWhite, kRed, kBlue})));
    auto frame = std::make_unique<CMainFrame>(folder.path());
    frame->show();
    frame->Action(ID_GAME_RANDOM)->trigger();
    QApplication::processEvents();  // the scroll bars settle as the event loop goes on
    // Row 13 painted red, blue picked from a clue, a wrong blue cell and a crossed white one.
    auto click = [&frame](int column, int row) {
        test::Click(frame->Board().viewport(), test::CellCentre(frame->Board(), column, row));
    };
    for (int c = 0; c < 10; ++c) click(c, 13);
    for (QPoint p : {QPoint(-1, 14), QPoint(5, 7), QPoint(1, 14), QPoint(1, 14)}) click(p.x(), p.y());
    ASSERT_EQ(frame->Board().Model().rowSolved[13], 1);
    ASSERT_EQ(frame->Board().Model().Cell(1, 14).state, 0);
    test::ChangeGame(frame->Board(), [](BoardModel& m) { m.minutes = 12, m.seconds = 58; });
    const Bytes saved = EncodeLastGame(frame->Board().Model()).value();
    const QImage shown = frame->Board().ComposedImage();
    frame->Action(ID_GAME_EXIT)->trigger();
    EXPECT_EQ(test::ReadBytes(file), saved);
    // Closing and then destroying the window saves once: what changes in between is not saved.
    test::ChangeGame(frame->Board(), [](BoardModel& m) { m.minutes = 30; });
    frame.reset();
    EXPECT_EQ(test::ReadBytes(file), saved);

    // The second run, its clock held so that no tick falls between restoring and comparing.
    frame = std::make_unique<CMainFrame>(folder.path());
    frame->Board().StopTimer();
    frame->show();
    QApplication::processEvents();
    EXPECT_EQ(EncodeLastGame(frame->Board().Model()).value(), saved);
    EXPECT_EQ(frame->Board().ComposedImage(), shown);
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:12:58"));
    // The first non-white colour is current again, on the swatch too.
    EXPECT_EQ(frame->Board().Model().currentColour, kRed);
    EXPECT_EQ(frame->Swatch()->Colour(), kRed);
    EXPECT_TRUE(test::NoBoxes(prompts));

    // The file cannot be replaced by a folder with something in it: its path is told once, the folder stays.
    fs::remove(file);
    fs::create_directories(file / "keep");
    frame->close();
    frame.reset();
    EXPECT_EQ(prompts.told, std::vector<QString>{QString::fromStdString(file.string())});
    EXPECT_TRUE(fs::is_directory(file / "keep"));
}

}  // namespace
}  // namespace mosgrid
