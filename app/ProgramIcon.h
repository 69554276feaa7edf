// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>

namespace mosgrid {

// The program's icon in every size the resources hold (":/icons/mosgrid-<size>.png"); a null
// icon when there is none.
QIcon ProgramIcon();

// Makes the resources of the program's static library available (once is enough).
void InitResources();

}  // namespace mosgrid
