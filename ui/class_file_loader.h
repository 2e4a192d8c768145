#pragma once

#include <QString>
#include <optional>

#include "class_table.h"
#include "user_prompts.h"

class QWidget;

// A class file read whole: its full path and its classes.
struct LoadedClassFile {
    QString path;
    vostrel::ClassTable table;
};

// Chooses, reads and refuses class files for the main window: at start-up, for
// File > Open Class File... and for File > Reload Class File. A file is read whole
// before anything is handed back, so a refused file leaves the caller's classes as
// they were. The dialog opens where it was last left in this run, showing the file
// type last used.
class ClassFileLoader {
public:
    explicit ClassFileLoader(UserPrompts& prompts) : prompts_(prompts) {}

    // Asks until a file loads; nothing when the user would rather quit.
    std::optional<LoadedClassFile> loadAtStart(QWidget* parent);
    // Asks until a file loads; nothing when the user cancels.
    std::optional<LoadedClassFile> open(QWidget* parent);
    // The file at `path` read again; nothing, after saying why, when it is refused.
    std::optional<LoadedClassFile> reload(QWidget* parent, const QString& path);

private:
    enum class Cancel { AsksToQuit, GivesUp };
    std::optional<LoadedClassFile> chooseAndLoad(QWidget* parent, Cancel cancel);
    std::optional<QString> chooseClassFile(QWidget* parent, Cancel cancel);
    // The file's classes, or nothing after the refusal is shown with `advice` after it.
    std::optional<LoadedClassFile> read(QWidget* parent, const QString& path,
                                        const QString& advice);

    UserPrompts& prompts_;
    FileDialogPlace place_;
};
