#pragma once

#include <QMainWindow>
#include <optional>

#include "class_table.h"

class BuildSheetWidget;
class ClassesWindow;
class LevelByLevelWindow;
class PairsWindow;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SpokenNotice;
class UserPrompts;
struct FileDialogPlace;

// The program's only window: the build sheet's five rows, Go, the report box and
// the menus File, Edit, View and Help. It loads the class data file before it is
// first shown.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // Runs the start-up load before returning: asks for a class data file through
    // `prompts` until one loads or the user chooses to quit. `prompts` must outlive
    // the window.
    explicit Form1(UserPrompts& prompts, QWidget* parent = nullptr);

    // False when the user quit instead of choosing a class data file: the window
    // is then not to be shown.
    bool classDataLoaded() const { return classDataLoaded_; }

private:
    void createWidgets();
    void createTitle(QWidget& client);
    void createMenus();

    bool loadClassData();
    std::optional<QString> chooseClassFile(FileDialogPlace& place);

    void onGoClicked();
    void tellOutcome(const QString& outcome);
    void showAbout();
    void confirmExit();
    void showLevelByLevel();
    void showClasses();
    void copyBuild();
    void pasteBuild();

    void showPairs();
    void usePair(int first, int second, int level);

    UserPrompts& prompts_;
    vostrel::ClassTable classTable_;
    bool classDataLoaded_ = false;

    BuildSheetWidget* buildSheet_ = nullptr;
    QPushButton* Cmd_go = nullptr;
    QPlainTextEdit* Txt_Output = nullptr;
    QLabel* Label1 = nullptr;

    QString classFilePath_;
    LevelByLevelWindow* levelByLevel_ = nullptr;  // built on first use
    ClassesWindow* classes_ = nullptr;            // built on first use
    SpokenNotice* outcomeNotice_ = nullptr;       // built on first use
    PairsWindow* pairs_ = nullptr;                // built on first use
};
