// The About box and the rules page.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QUrl>

#include <fstream>

#include "app/AboutBox.h"
#include "app/MailLink.h"
#include "app/MainFrame.h"
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

}  // namespace
}  // namespace mosgrid
