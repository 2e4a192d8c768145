#include "start_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool holdsSample(const QString& folder) {
    return QFileInfo(QDir(folder), QStringLiteral("classes.csv")).isFile();
}

}  // namespace

QString startFolder(const QString& programFolder, const QString& homeFolder) {
    // An empty folder would be taken for the current one.
    if (programFolder.isEmpty()) {
        return homeFolder;
    }
    if (holdsSample(programFolder)) {
        return programFolder;
    }
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/vostrel-calculator"));
    if (holdsSample(installed)) {
        return installed;
    }
    return homeFolder;
}
