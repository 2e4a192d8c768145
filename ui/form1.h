#pragma once

#include <QMainWindow>
#include <array>
#include <optional>

#include "class_table.h"
#include "progression.h"

class ClassList;
class QAction;
class ClassesWindow;
class LevelByLevelWindow;
class PairsWindow;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class UserPrompts;
struct FileDialogPlace;

// The program's only window: five build rows, Go, the report box and two menus.
// It loads the class data file before it is first shown.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWidgets();
    void createMenus();
    void createConnections();
    void setTabOrderAndNames();

    bool loadClassData();
    std::optional<QString> chooseClassFile(FileDialogPlace& place);
    void fillClassLists();

    vostrel::BuildSheet takeBuildSheet();
    void onGoClicked();
    void onLevelTextChanged(int index, const QString& text);
    void showAbout();
    void confirmExit();
    void showLevelByLevel();
    void createEditMenu();
    void copyBuild();
    void pasteBuild();

    void showClasses();
    void showPairs();
    void usePair(int first, int second, int level);

    UserPrompts& prompts_;
    vostrel::ClassTable classTable_;
    bool classDataLoaded_ = false;

    std::array<QLineEdit*, vostrel::kSegmentCount> Txt_Lvl{};
    std::array<ClassList*, 2 * vostrel::kSegmentCount> Cbo_Class{};
    QPushButton* Cmd_go = nullptr;
    QPlainTextEdit* Txt_Output = nullptr;
    QLabel* Label1 = nullptr;

    QMenu* Menu_File = nullptr;
    QAction* Menu_Exit = nullptr;
    QMenu* Menu_Edit = nullptr;
    QAction* Menu_CopyBuild = nullptr;
    QAction* Menu_PasteBuild = nullptr;
    QMenu* Menu_View = nullptr;
    QAction* Menu_LevelByLevel = nullptr;
    QAction* Menu_Classes = nullptr;
    QAction* Menu_Pairs = nullptr;
    QMenu* Menu_Help = nullptr;
    QAction* Menu_About = nullptr;

    QString classFilePath_;
    LevelByLevelWindow* levelByLevel_ = nullptr;  // built on first use
    ClassesWindow* classes_ = nullptr;            // built on first use
    PairsWindow* pairs_ = nullptr;                // built on first use
};
