// SPDX-License-Identifier: GPL-3.0-or-later
// Mosgrid: starts the game, or brings the running one to the front.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/ProgramIcon.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/GameFolders.h"
#include "savegame/core/LastGameStore.h"

int main(int argc, char** argv) {
    // --help, --version and a mistyped option are answered before any window system is asked.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const mosgrid::CommandLineRequest request = mosgrid::ReadCommandLine(arguments);
    if (!request.play) {
        std::fputs(request.output.toLocal8Bit().constData(), stdout);
        if (!request.error.isEmpty()) std::fprintf(stderr, "%s\n", request.error.toLocal8Bit().constData());
        return request.exitCode;
    }

    QApplication app(argc, argv);
    // The application name also names the player's data folder (QStandardPaths::AppDataLocation),
    // which GameFolders resolves the same way for the command-line tools.
    QApplication::setApplicationName(QString::fromLatin1(mosgrid::kPlayerFolderName));
    QApplication::setApplicationVersion(QStringLiteral(MOSGRID_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(MOSGRID_APP_ID));
    mosgrid::InitResources();
    QApplication::setWindowIcon(mosgrid::ProgramIcon());
    // A session that ends the program by a signal still has the game saved: from here on the
    // signal waits for the event loop, which quits through the same save as a close.
    mosgrid::QuitOnTerminationSignals();

    // A program folder the player may write keeps everything, as built or unpacked; an installed
    // game reads its bundled data from the install and keeps the player's files in the player's
    // data folder.
    const mosgrid::GameFolders folders = mosgrid::GameFoldersOfThisProgram();
    mosgrid::MakePlayerFolders(folders);

    // One game per folder of the player's files: a second start raises the first and ends. The
    // guard outlives the window, so it is held until the game has been saved.
    mosgrid::SingleInstance instance(folders.playerFiles);
    switch (instance.Claim()) {
        case mosgrid::SingleInstance::Start::Raised: return 0;
        case mosgrid::SingleInstance::Start::Busy: return 1;
        case mosgrid::SingleInstance::Start::Refused:
            // Without the guard two games could write the same files: the start ends, saying why.
            std::fprintf(stderr, "mosgrid: %s\n", instance.Problem().toLocal8Bit().constData());
            QMessageBox::critical(nullptr, QStringLiteral("Mosgrid"), instance.Problem());
            return 1;
        case mosgrid::SingleInstance::Start::First: break;
    }
    // Holding the lock, no other start can be writing a file here: a temporary file of a save is
    // what a start killed before its rename left behind.
    mosgrid::RemoveLeftoverTemporaries(folders.playerFiles, {mosgrid::CCatalog::kFileName, mosgrid::kLastGameFileName});

    mosgrid::CMainFrame frame(folders);
    instance.OnRaise([&frame] { frame.BringToFront(); });
    frame.show();
    return app.exec();
}
