// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QUrl>

#include <filesystem>
#include <functional>

#include "catalogue/core/GameFolders.h"

namespace mosgrid {

// Hands a URL (the rules page) to the desktop's default handler. A failure
// passes silently: there is nobody to tell who could act on it.
void OpenUrl(const QUrl& url);

// Tests put their own opener in place to see what would be opened; an empty function puts
// QDesktopServices back.
void SetUrlOpener(std::function<void(const QUrl&)> opener);

// "Правила игры": opens mosgrid.htm found beside the program or in the install's data folder
// (RulesPagePath); nothing happens without the page.
void OpenRulesPage(const GameFolders& folders);

}  // namespace mosgrid
