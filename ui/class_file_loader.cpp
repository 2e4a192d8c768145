#include "class_file_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "class_file_reader.h"
#include "start_folder.h"

namespace {

const QString kCaption = QStringLiteral("Vostrel Progression Calculator");
const QString kDialogTitle = QStringLiteral("Open Information File");
// Qt reads "*.*" literally, missing files without a dot; "*" is every file.
const QStringList kDialogFilters = {QStringLiteral("Comma Separated Values (*.csv)"),
                                    QStringLiteral("All Files (*)")};
const QString kChooseAnother = QStringLiteral("Choose another class data file.");

}  // namespace

std::optional<LoadedClassFile> ClassFileLoader::loadAtStart(QWidget* parent) {
    return chooseAndLoad(parent, Cancel::AsksToQuit);
}

std::optional<LoadedClassFile> ClassFileLoader::open(QWidget* parent) {
    return chooseAndLoad(parent, Cancel::GivesUp);
}

std::optional<LoadedClassFile> ClassFileLoader::reload(QWidget* parent, const QString& path) {
    return read(parent, path, QStringLiteral("The classes loaded before stay."));
}

std::optional<LoadedClassFile> ClassFileLoader::chooseAndLoad(QWidget* parent, Cancel cancel) {
    for (;;) {
        const std::optional<QString> path = chooseClassFile(parent, cancel);
        if (!path) {
            return std::nullopt;
        }
        std::optional<LoadedClassFile> loaded = read(parent, *path, kChooseAnother);
        if (loaded) {
            return loaded;
        }
        place_.folder = QFileInfo(*path).absolutePath();
    }
}

std::optional<LoadedClassFile> ClassFileLoader::read(QWidget* parent, const QString& path,
                                                     const QString& advice) {
    LoadedClassFile loaded{QFileInfo(path).absoluteFilePath(), {}};
    const auto error = vostrel::loadClassData(QFile::encodeName(path).toStdString(), loaded.table);
    if (!error) {
        return loaded;
    }
    prompts_.showMessage(
        parent, kCaption,
        QString::fromStdString(vostrel::describe(*error)) + QStringLiteral("\n\n") + advice,
        QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning);
    return std::nullopt;
}

// Nothing, when the user would rather quit than choose, or gives up choosing.
std::optional<QString> ClassFileLoader::chooseClassFile(QWidget* parent, Cancel cancel) {
    if (place_.folder.isEmpty()) {
        place_.folder = startFolder(QCoreApplication::applicationDirPath(), QDir::homePath());
    }
    for (;;) {
        const QString path = prompts_.chooseOpenFile(parent, kDialogTitle, place_, kDialogFilters);
        if (!path.isEmpty()) {
            return path;
        }
        if (cancel == Cancel::GivesUp) {
            return std::nullopt;
        }
        const int answer = prompts_.askChoice(
            parent, kCaption, QStringLiteral("The calculator needs a class data file to start."),
            {QStringLiteral("Choose File..."), QStringLiteral("Quit")}, 0, 1,
            QMessageBox::Question);
        if (answer != 0) {
            return std::nullopt;
        }
    }
}
