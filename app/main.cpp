// Mosgrid: starts the game, or brings the running one to the front.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "app/MainFrame.h"
#include "app/ProgramIcon.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/Catalog.h"
#include "catalogue/core/ProgramFolder.h"
#include "savegame/core/LastGameStore.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mosgrid"));
    mosgrid::InitResources();
    QApplication::setWindowIcon(mosgrid::ProgramIcon());

    // Everything the program reads and writes lies beside its executable.
    const std::filesystem::path folder = mosgrid::GetProgramFolder();

    // One game a folder: a second start raises the first and ends. The guard outlives the window,
    // so it is held until the game has been saved.
    mosgrid::SingleInstance instance(folder);
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
    mosgrid::RemoveLeftoverTemporaries(folder, {mosgrid::CCatalog::kFileName, mosgrid::kLastGameFileName});

    mosgrid::CMainFrame frame(folder);
    // A session that ends the program by a signal still has the game saved.
    mosgrid::QuitOnTerminationSignals();
    instance.OnRaise([&frame] { frame.BringToFront(); });
    frame.show();
    return app.exec();
}
