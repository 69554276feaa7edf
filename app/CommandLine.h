// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

namespace mosgrid {

// What the command line asks of a start of the game.
struct CommandLineRequest {
    bool play = false;  // start the game
    int exitCode = 0;   // when not playing: the program's exit status
    QString output;     // when not playing: what to write to standard output (--help, --version)
    QString error;      // when not playing: the one-line error for standard error
};

// Reads the game's command line (program name first): --help (-h) and --version (-v) answer and
// end; the options Qt's own platform layer takes (-platform, -style, -display...) pass through to
// it; anything else is refused with a one-line error and exit status 2. Needs no application
// object, so --help and --version work without a display.
CommandLineRequest ReadCommandLine(const QStringList& arguments);

}  // namespace mosgrid
