// Mosgrid: starts the game, or brings the running one to the front.
#include <QApplication>

#include <unistd.h>

#include "app/MainFrame.h"
#include "app/ProgramIcon.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "catalogue/core/ProgramFolder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mosgrid"));
    mosgrid::InitResources();
    QApplication::setWindowIcon(mosgrid::ProgramIcon());

    // Everything the program reads and writes lies beside its executable.
    const std::filesystem::path folder = mosgrid::GetProgramFolder();

    mosgrid::SingleInstance instance(mosgrid::SingleInstance::KeyFor(unsigned(::getuid()), folder));
    if (instance.AskRunningToRaise()) return 0;

    mosgrid::CMainFrame frame(folder);
    // A session that ends the program by a signal still has the game saved.
    mosgrid::QuitOnTerminationSignals();
    instance.Listen([&frame] { frame.BringToFront(); });
    frame.show();
    return app.exec();
}
