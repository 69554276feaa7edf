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

void OpenRulesPage(const std::filesystem::path& programFolder) {
    const std::filesystem::path page = programFolder / "mosgrid.htm";
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) return;
    OpenUrl(QUrl::fromLocalFile(QFile::decodeName(page.c_str())));
}

}  // namespace mosgrid
