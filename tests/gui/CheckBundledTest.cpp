// Every bundled two-colour puzzle checked as the player checks it: through the menu of the main
// window, one solution found, the picture itself on the board. With MOSGRID_SCREENSHOT_DIR set,
// a picture of the main window after checking the largest of them is written there.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>

#include <filesystem>
#include <memory>
#include <vector>

#include "app/MainFrame.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/BmpFile.h"
#include "catalogue/core/Text.h"
#include "tests/gui/AppTestSupport.h"
#include "tests/gui/ScriptedPrompts.h"

namespace mosgrid {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> TwoColourPuzzles() {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(MOSGRID_GAME_DIR), error)) {
        if (entry.path().extension() != ".bmp") continue;
        CBmpFile picture;
        if (picture.Load(entry.path()) == 1 && picture.colourCount == 2) found.push_back(entry.path());
    }
    return found;
}

class CheckBundledTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(folder.path());
        frame->resize(480, 640);
        frame->show();
        QApplication::processEvents();
    }
    // Sets the puzzle up and checks it through the menu, answering "Да".
    void SetUpAndCheck(const fs::path& picture) {
        frame->Board().SetupPuzzle(picture, Utf8ToUtf16(picture.stem().string()));
        ASSERT_TRUE(frame->Board().Model().HasPuzzle()) << picture;
        frame->Board().ApplyFirstPuzzleColour();
        frame->UpdateMenuState();
        prompts.told.clear();
        prompts.Answer(true);
        frame->Action(ID_OTHER_CHECK)->trigger();
    }

    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(CheckBundledTest, EveryTwoColourPuzzleHasItsPictureAsTheOneVariant) {
    const std::vector<fs::path> puzzles = TwoColourPuzzles();
    ASSERT_GE(puzzles.size(), 5u) << "build the game first: " << MOSGRID_GAME_DIR;
    for (const fs::path& picture : puzzles) {
        SCOPED_TRACE(picture.filename().string());
        SetUpAndCheck(picture);
        const BoardModel& m = frame->Board().Model();
        ASSERT_EQ(prompts.told.size(), 1u);
        EXPECT_TRUE(prompts.told[0].endsWith(QStringLiteral("Найдено вариантов решения - 1.")))
            << prompts.told[0].toStdString();
        ASSERT_EQ(m.variants.size(), 1u);
        int wrong = 0;
        for (int r = 0; r < m.rows(); ++r) {
            for (int c = 0; c < m.cols(); ++c) {
                const CellRecord& cell = m.Cell(c, r);
                if (cell.state != 0 || cell.colour != m.PictureColour(c, r)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_FALSE(frame->Action(ID_OTHER_CHECK)->isEnabled());
    }
}

TEST_F(CheckBundledTest, ScreenshotOfTheLargestAfterACheck) {
    const QString dir = qEnvironmentVariable("MOSGRID_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MOSGRID_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    fs::path largest;
    long cells = 0;
    for (const fs::path& p : TwoColourPuzzles()) {
        CBmpFile picture;
        picture.Load(p);
        if (long(picture.width) * picture.height > cells) {
            cells = long(picture.width) * picture.height;
            largest = p;
        }
    }
    ASSERT_FALSE(largest.empty());
    SetUpAndCheck(largest);
    ASSERT_EQ(frame->Board().Model().variants.size(), 1u);
    QApplication::processEvents();
    ASSERT_TRUE(frame->grab().save(dir + QStringLiteral("/check_variant.png")));
}

}  // namespace
}  // namespace mosgrid
