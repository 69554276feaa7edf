// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramIcon.h"

#include <QFile>
#include <QString>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitMosgridResources() {
#ifdef MOSGRID_HAS_RESOURCES
    Q_INIT_RESOURCE(mosgrid);
#endif
}

namespace mosgrid {

void InitResources() {
    static bool done = false;
    if (done) return;
    done = true;
    InitMosgridResources();
}

QIcon ProgramIcon() {
    InitResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral(":/icons/mosgrid-%1.png").arg(size);
        if (QFile::exists(name)) icon.addFile(name, QSize(size, size));
    }
    return icon;
}

}  // namespace mosgrid
