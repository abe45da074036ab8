// SPDX-License-Identifier: MIT
#pragma once
// Where the program's own data files lie: the installed data folder, fixed
// when the build is configured, or else the program's folder, so that a
// program run from the build tree finds the copies made beside it.
#include <QString>

namespace tesura::ui {

// The path of the data file called name: in the installed data folder when it
// is there, otherwise in the folder of the running program.
QString data_file_path(const QString& name);

}  // namespace tesura::ui
