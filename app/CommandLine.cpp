// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace mosgrid {
namespace {

// The options that Qt's application object takes off the command line itself.
const char* const kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                       "qwindowgeometry", "qwindowtitle", "qwindowicon", "display",
                                       "geometry", "style", "stylesheet", "session", "qmljsdebugger"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

}  // namespace

CommandLineRequest ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Mosgrid: picture-logic puzzles (nonograms)."));
    // Qt's own options come with one dash ("-platform offscreen"), so single-dash words are long
    // options here too.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLineRequest request;
    const QString program = QStringLiteral("mosgrid");
    if (!parser.parse(arguments)) {
        request.exitCode = 2;
        request.error = program + QStringLiteral(": ") + parser.errorText() +
                        QStringLiteral(" (see mosgrid --help)");
    } else if (!parser.positionalArguments().isEmpty()) {
        request.exitCode = 2;
        request.error = program + QStringLiteral(": unexpected argument '") + parser.positionalArguments().first() +
                        QStringLiteral("' (see mosgrid --help)");
    } else if (parser.isSet(help)) {
        // Without an application object Qt cannot name the program in its usage line.
        request.output = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
    } else if (parser.isSet(version)) {
        request.output = program + QLatin1Char(' ') + QStringLiteral(MOSGRID_VERSION) + QLatin1Char('\n');
    } else {
        request.play = true;
    }
    return request;
}

}  // namespace mosgrid
