// The game carried from one run to the next through the real main window: the same board after
// quitting and starting again, a fresh puzzle or none for a file that does not fit.
#include <gtest/gtest.h>

#include <QAction>
#include <QMouseEvent>
#include <QPainter>

#include <fstream>

#include "app/ColourSwatch.h"
#include "app/MainFrame.h"
#include "app/StringTime.h"
#include "savegame/core/LastGameCodec.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr COLORREF kBlue = 0xFF0000;
const std::vector<COLORREF> kRedBlue = {kWhite, kRed, kBlue};
const std::vector<std::string> kTen = {"..11111...", ".1222221..", "1222..2221", "12.2..2.21", "1222222221",
                                       ".12....21.", "..122221..", "...1111...", "....11....", "....11....",
                                       "...1..1...", "..1....1..", ".1......1.", "1111111111", "2.2.2.2.2."};

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
void WriteAll(const fs::path& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}
Bytes WithName(Bytes b, std::u16string_view name) {
    for (std::size_t i = 0; i < 520; ++i) b[i] = std::uint8_t(i / 2 < name.size() ? name[i / 2] >> (8 * (i % 2)) : 0);
    return b;
}

void Mouse(CGmGride& board, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(board.viewport()->mapToGlobal(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(board.viewport(), &event);
}
// A click on a cell, or on a clue slot k as the cell (column, -1 - k) or (-1 - k, row); or what a
// double click delivers: press, release, double click, release.
void Click(CGmGride& board, int column, int row, bool twice = false) {
    const QPoint at = test::CellCentre(board, column, row);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
        Mouse(board, type, at, Qt::LeftButton);
        Mouse(board, QEvent::MouseButtonRelease, at, Qt::NoButton);
        if (!twice) return;
    }
}
// A cell's viewport rectangle with a pixel of margin, and an image with such rectangles blacked out.
QRect CellRect(CGmGride& board, int column, int row) {
    const int s = board.CellSize();
    return {test::CellCentre(board, column, row) - QPoint(s / 2 + 1, s / 2 + 1), QSize(s + 3, s + 3)};
}
QImage Without(QImage image, const std::vector<QRect>& rects) {
    QPainter painter(&image);
    for (const QRect& r : rects) painter.fillRect(r, Qt::black);
    return image;
}

class LastGameTest : public ::testing::Test {
protected:
    // The folder's only puzzle, 10 x 15 in red and blue, its extension in capitals.
    void SetUp() override { ASSERT_TRUE(WriteBmp4(folder / "Ten.BMP", test::PictureFromText(kTen, kRedBlue))); }
    std::unique_ptr<CMainFrame> Start() {
        auto frame = std::make_unique<CMainFrame>(folder.path());
        frame->show();
        QApplication::processEvents();
        return frame;
    }
    static void Pick(CMainFrame& frame) {
        frame.Action(ID_GAME_RANDOM)->trigger();
        QApplication::processEvents();  // the scroll bars settle as the event loop goes on
    }
    // Rows 13 (red) and 14 (blue, white cells crossed) complete, a wrong blue cell, a column
    // clue and a row clue crossed out.
    static void Play(CGmGride& board) {
        for (int c = 0; c < 10; ++c) Click(board, c, 13);
        Click(board, -1, 14);  // a blue clue makes blue the current colour
        for (int c = 0; c < 10; ++c)
            for (int times = c % 2 ? 2 : 1; times > 0; --times) Click(board, c, 14);  // white: painted, crossed
        Click(board, 5, 7);
        Click(board, 4, -1, true);
        Click(board, -2, 2, true);
        ASSERT_EQ(board.Model().rowSolved[14], 1);
        ASSERT_EQ(board.Model().RowClue(2, 1).done, 1);
    }

    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    const fs::path file = folder / "lastcrw.sav";
};

TEST_F(LastGameTest, QuitAndStartAgainShowsTheSameBoardAndAFailedSaveShowsThePath) {
    auto frame = Start();
    Pick(*frame);
    const QImage fresh = frame->Board().ComposedImage();
    Play(frame->Board());
    frame->Board().Model().minutes = 12;
    frame->Board().Model().seconds = 58;
    const Bytes saved = EncodeLastGame(frame->Board().Model()).value();
    const QImage shown = frame->Board().ComposedImage();
    frame->Action(ID_GAME_EXIT)->trigger();
    EXPECT_EQ(ReadAll(file), saved);
    // Closing and then destroying the window saves once: what changes in between is not saved.
    frame->Board().Model().minutes = 30;
    frame.reset();
    EXPECT_EQ(ReadAll(file), saved);

    // The second run, its clock held so that no tick falls between restoring and comparing.
    frame = std::make_unique<CMainFrame>(folder.path());
    frame->Board().StopTimer();
    frame->show();
    QApplication::processEvents();
    CGmGride& board = frame->Board();
    EXPECT_EQ(EncodeLastGame(board.Model()).value(), saved);
    // The same picture on the screen; only the strokes over crossed clues may differ by a pixel
    // at their ends (a restored game draws them a little inside the cell), but they are there.
    const std::vector<QRect> struck = {CellRect(board, 4, -1), CellRect(board, -2, 2)};
    EXPECT_EQ(Without(board.ComposedImage(), struck), Without(shown, struck));
    for (const QRect& cell : struck) EXPECT_NE(board.ComposedImage().copy(cell), fresh.copy(cell));
    EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:12:58"));
    // The first non-white colour is current again, on the swatch too.
    EXPECT_EQ(board.Model().currentColour, kRed);
    EXPECT_EQ(frame->Swatch()->Colour(), kRed);
    EXPECT_TRUE(test::NoBoxes(prompts));

    // The file cannot be replaced by a folder with something in it: its path is told once, the folder stays.
    fs::remove(file);
    fs::create_directory(file);
    WriteAll(file / "keep", Bytes(3, 1));
    frame->close();
    frame.reset();
    EXPECT_EQ(prompts.told, std::vector<QString>{QString::fromStdString(file.string())});
    EXPECT_EQ(ReadAll(file / "keep"), Bytes(3, 1));
}

TEST_F(LastGameTest, BadFilesStartThePuzzleAfreshOrNoneWithoutGarbage) {
    auto frame = Start();
    const QImage empty = frame->Board().ComposedImage();
    Pick(*frame);
    const QImage fresh = frame->Board().ComposedImage();
    const Bytes freshGame = EncodeLastGame(frame->Board().Model()).value();
    Play(frame->Board());
    frame.reset();
    const Bytes good = ReadAll(file);
    fs::create_directory(folder / "sub");  // a picture the name "sub/x" would find
    ASSERT_TRUE(WriteBmp4(folder / "sub" / "x.bmp", test::PictureFromText({"1"}, {kWhite, kRed})));
    for (const auto& [what, bytes, afresh] : std::vector<std::tuple<const char*, Bytes, bool>>{
             {"one byte short", Bytes(good.begin(), good.end() - 1), true},
             {"name sub/x", WithName(good, u"sub/x"), false}}) {
        WriteAll(file, bytes);
        frame = Start();
        EXPECT_EQ(frame->Board().ComposedImage(), afresh ? fresh : empty) << what;
        EXPECT_EQ(EncodeLastGame(frame->Board().Model()), afresh ? std::optional(freshGame) : std::nullopt) << what;
        EXPECT_EQ(frame->TimeLabel()->text(), QStringLiteral("0:00:00")) << what;
        frame.reset();
        EXPECT_EQ(fs::exists(file), afresh) << what;  // no puzzle, no file
    }
    // A picture of that name that cannot be read.
    WriteAll(folder / "Ten.BMP", Bytes(10, 0x42));
    WriteAll(file, good);
    EXPECT_FALSE(Start()->Board().Model().HasPuzzle());
    EXPECT_TRUE(test::NoBoxes(prompts));
}

}  // namespace
}  // namespace mosgrid
