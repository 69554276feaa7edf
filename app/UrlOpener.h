#pragma once
#include <QUrl>

#include <filesystem>
#include <functional>

namespace mosgrid {

// Hands a URL (the rules page) to the desktop's default handler. A failure
// passes silently: there is nobody to tell who could act on it.
void OpenUrl(const QUrl& url);

// Tests put their own opener in place to see what would be opened; an empty function puts
// QDesktopServices back.
void SetUrlOpener(std::function<void(const QUrl&)> opener);

// "Правила игры": opens mosgrid.htm of the program folder; nothing happens without the page.
void OpenRulesPage(const std::filesystem::path& programFolder);

}  // namespace mosgrid
