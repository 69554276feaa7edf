// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UrlOpener.h"

#include <QDesktopServices>
#include <QFile>

#include <system_error>

namespace mosgrid {
namespace {

std::function<void(const QUrl&)>& Opener() {
    static std::function<void(const QUrl&)> opener;
    return opener;
}

}  // namespace

void OpenUrl(const QUrl& url) {
    if (Opener()) {
        Opener()(url);
        return;
    }
    QDesktopServices::openUrl(url);  // the result is of no use: a failure stays silent
}

void SetUrlOpener(std::function<void(const QUrl&)> opener) { Opener() = std::move(opener); }

void OpenRulesPage(const GameFolders& folders) {
    const std::filesystem::path page = RulesPagePath(folders);
    if (page.empty()) return;
    OpenUrl(QUrl::fromLocalFile(QFile::decodeName(page.c_str())));
}

}  // namespace mosgrid
