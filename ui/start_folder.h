#pragma once

#include <QString>

// Where the class file dialog opens at start-up: beside the program when the sample
// class file sits there (a build tree), else the installed data folder found from the
// program's own (`../share/vostrel-calculator`, an install under any prefix), else
// `homeFolder`.
QString startFolder(const QString& programFolder, const QString& homeFolder);
