// The About box, the rules page and the single-instance start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLocalServer>
#include <QMouseEvent>
#include <QUrl>

#include <fstream>
#include <memory>
#include <unistd.h>

#include "app/AboutBox.h"
#include "app/MailLink.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/UrlOpener.h"
#include "tests/gui/AppTestSupport.h"

namespace mosgrid {
namespace {

using test::ScriptedPrompts;
using test::TempFolder;

class OpenedUrls {
public:
    OpenedUrls() {
        SetUrlOpener([this](const QUrl& url) { urls.push_back(url); });
    }
    ~OpenedUrls() { SetUrlOpener({}); }
    std::vector<QUrl> urls;
};

QStringList LabelTexts(QWidget* box) {
    QStringList texts;
    for (QLabel* label : box->findChildren<QLabel*>())
        if (!label->text().isEmpty()) texts << label->text();
    return texts;
}

TEST(AboutBoxTest, ShowsTitleContactAndSupportAndTheMailLinkOpensAMail) {
    OpenedUrls opened;
    TempFolder folder;
    ScriptedPrompts prompts;
    CMainFrame frame(folder.path());
    frame.show();

    bool seen = false;
    test::WhenDialogOpens<CAboutBox>([&](CAboutBox& box) {
        seen = true;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About Mosgrid"));
        const QStringList texts = LabelTexts(&box);
        EXPECT_TRUE(texts.contains(QStringLiteral(
            "О всех вопросах и пожеланиях относительно этой программы пишите: ")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Поддержите проект:")));
        EXPECT_TRUE(texts.contains(CAboutBox::TitleText()));
        EXPECT_TRUE(texts.contains(CAboutBox::SupportText()));
        EXPECT_EQ(CAboutBox::TitleText().count(QLatin1Char('\n')), 2);
        EXPECT_TRUE(CAboutBox::TitleText().startsWith(QStringLiteral("Mosgrid 1.01\n")));

        CMailLink* link = box.MailLink();
        EXPECT_EQ(link->text(), CAboutBox::MailAddress());
        EXPECT_TRUE(link->font().underline());
        const QPoint at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, link->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(link, &press);
        EXPECT_TRUE(box.isVisible());  // the box stays open
        box.accept();
    });
    frame.Action(ID_APP_ABOUT)->trigger();
    EXPECT_TRUE(seen);
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0], QUrl(QStringLiteral("mailto:") + CAboutBox::MailAddress()));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

TEST(AboutBoxTest, AMailLinkWithoutTargetOpensItsText) {
    OpenedUrls opened;
    CMailLink link(QStringLiteral("mailto:x@example.org"));
    const QPoint at(1, 1);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &press);
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0], QUrl(QStringLiteral("mailto:x@example.org")));
}

TEST(RulesPageTest, OpensTheProgramFoldersPageAndNothingWithoutIt) {
    OpenedUrls opened;
    TempFolder folder;
    ScriptedPrompts prompts;
    CMainFrame frame(folder.path());

    frame.Action(ID_HELP_RULES)->trigger();
    EXPECT_TRUE(opened.urls.empty());
    EXPECT_TRUE(test::NoBoxes(prompts));

    std::ofstream(folder / "mosgrid.htm") << "<html></html>";
    frame.Action(ID_HELP_RULES)->trigger();
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0].toLocalFile(), QString::fromStdString((folder / "mosgrid.htm").string()));
}

TEST(SingleInstanceTest, ASecondStartRaisesTheFirstAndOtherFoldersRunApart) {
    TempFolder one, two;
    const QString key = SingleInstance::KeyFor(unsigned(::getuid()), one.path());
    EXPECT_EQ(key, SingleInstance::KeyFor(unsigned(::getuid()), one.path()));
    EXPECT_NE(key, SingleInstance::KeyFor(unsigned(::getuid()), two.path()));
    EXPECT_NE(key, SingleInstance::KeyFor(unsigned(::getuid()) + 1, one.path()));

    SingleInstance first(key);
    EXPECT_FALSE(first.AskRunningToRaise(200));  // nobody runs yet
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

TEST(SingleInstanceTest, ASocketLeftBehindDoesNotStopTheNextStart) {
    TempFolder folder;
    const QString key = SingleInstance::KeyFor(unsigned(::getuid()), folder.path()) + QStringLiteral("-stale");
    {
        // A server that ends without removing its socket file, as after a crash.
        QLocalServer stale;
        stale.setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(stale.listen(key));
        const QString file = stale.fullServerName();
        stale.close();
        std::ofstream(file.toStdString());  // leave a file where the socket was
    }
    SingleInstance next(key);
    EXPECT_FALSE(next.AskRunningToRaise(200));
    EXPECT_TRUE(next.Listen([] {}));
}

}  // namespace
}  // namespace mosgrid
