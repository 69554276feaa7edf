// The About box, the rules page and the single-instance start.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QUrl>

#include <fstream>
#include <unistd.h>

#include "app/AboutBox.h"
#include "app/MailLink.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/UrlOpener.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

// Records the addresses the program asks to open, in place of the desktop.
struct OpenedUrls {
    OpenedUrls() { SetUrlOpener([this](const QUrl& url) { urls.push_back(url); }); }
    ~OpenedUrls() { SetUrlOpener({}); }
    std::vector<QUrl> urls;
};

TEST(AboutAndRulesTest, AboutShowsItsTextsAndMailsAndTheRulesPageOpensWhenPresent) {
    OpenedUrls opened;
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    CMainFrame frame(folder.path());
    frame.show();
    bool seen = false;
    test::WhenDialogOpens<CAboutBox>([&](CAboutBox& box) {
        seen = true;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About Mosgrid"));
        QStringList texts;
        for (QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
        for (const QString& text : {QStringLiteral("О всех вопросах и пожеланиях относительно этой программы пишите: "),
                                    QStringLiteral("Поддержите проект:"), CAboutBox::TitleText(),
                                    CAboutBox::SupportText(), CAboutBox::MailAddress()})
            EXPECT_TRUE(texts.contains(text)) << text.toStdString();
        EXPECT_TRUE(box.MailLink()->font().underline());
        test::LeftClick(box.MailLink(), QPoint(2, 2));
        EXPECT_TRUE(box.isVisible());  // the box stays open
        box.accept();
    });
    frame.Action(ID_APP_ABOUT)->trigger();
    EXPECT_TRUE(seen);
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0], QUrl(QStringLiteral("mailto:") + CAboutBox::MailAddress()));

    frame.Action(ID_HELP_RULES)->trigger();  // no page beside the program: nothing opens
    EXPECT_EQ(opened.urls.size(), 1u);
    std::ofstream(folder / "mosgrid.htm") << "<html></html>";
    frame.Action(ID_HELP_RULES)->trigger();
    ASSERT_EQ(opened.urls.size(), 2u);
    EXPECT_EQ(opened.urls[1].toLocalFile(), QString::fromStdString((folder / "mosgrid.htm").string()));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST(SingleInstanceTest, ASecondStartRaisesTheFirstAndOtherFoldersRunApart) {
    test::TempFolder one, two;
    const QString key = SingleInstance::KeyFor(unsigned(::getuid()), one.path());
    EXPECT_NE(key, SingleInstance::KeyFor(unsigned(::getuid()), two.path()));
    SingleInstance first(key);
    EXPECT_FALSE(first.AskRunningToRaise(200));  // nobody runs
    int raised = 0;
    ASSERT_TRUE(first.Listen([&raised] { ++raised; }));
    SingleInstance second(key);
    EXPECT_TRUE(second.AskRunningToRaise(1000));
    QElapsedTimer clock;
    clock.start();
    while (raised == 0 && clock.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(raised, 1);
    SingleInstance elsewhere(SingleInstance::KeyFor(unsigned(::getuid()), two.path()));
    EXPECT_FALSE(elsewhere.AskRunningToRaise(200));
}

}  // namespace
}  // namespace mosgrid
