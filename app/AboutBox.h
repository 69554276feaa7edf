// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

namespace mosgrid {

// "О программе...": the program's title and version, its authors and how to support the project.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);
};

}  // namespace mosgrid
