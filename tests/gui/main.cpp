// SPDX-License-Identifier: GPL-3.0-or-later
// The widget tests run on Qt's offscreen platform unless another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The player's settings go to a folder of this run alone, never to the real ones.
    const QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid()) return 1;
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsFolder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
