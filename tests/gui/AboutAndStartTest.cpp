// The About box and the rules page.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QUrl>

#include <fstream>

#include "app/AboutBox.h"
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

TEST(AboutAndRulesTest, AboutGivesNoMailAddressItCannotAnswerAndTheRulesPageOpensWhenPresent) {
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
        EXPECT_TRUE(texts.contains(QStringLiteral("Поддержите проект:")));
        // The project has no mail address: neither a made-up one nor an invitation to write to none.
        EXPECT_FALSE(texts.join(' ').contains('@')) << texts.join(' ').toStdString();
        EXPECT_FALSE(texts.join(' ').contains(QStringLiteral("пишите")));
        box.accept();
    });
    frame.Action(ID_APP_ABOUT)->trigger();
    EXPECT_TRUE(seen);

    frame.Action(ID_HELP_RULES)->trigger();  // no page beside the program: nothing opens
    EXPECT_TRUE(opened.urls.empty());
    std::ofstream(folder / "mosgrid.htm") << "<html></html>";
    frame.Action(ID_HELP_RULES)->trigger();
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0].toLocalFile(), QString::fromStdString((folder / "mosgrid.htm").string()));
    EXPECT_TRUE(test::NoBoxes(prompts));
}

}  // namespace
}  // namespace mosgrid
