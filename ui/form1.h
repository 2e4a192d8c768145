#pragma once

#include <QMainWindow>
#include <optional>

#include "class_file_loader.h"
#include "class_table.h"
#include "progression.h"

class BuildKeeper;
class BuildSheetWidget;
class ClassFileWatch;
class ClassesWindow;
class CompareWindow;
class LevelByLevelWindow;
class PairsWindow;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;
class SpokenNotice;
class UserPrompts;
struct PrintedDocument;
struct SheetDocument;

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
    // The window's caption, also the title of its messages.
    static const QString& caption();

    void createWidgets();
    void createTitle(QWidget& client);
    void createMenus();

    bool loadClassData();
    void tellDoubtfulSaves();
    // "<None>", then the loaded classes' names: what every class list shows.
    void showClassNames();
    void openClassFile();
    void reloadClassFile();
    // The loaded file replaces the classes, the build kept by class name.
    void useClassFile(LoadedClassFile loaded);
    // Runs once a new class file has replaced `previous`, before Go: every open
    // view of the classes shows the new file here, and whatever else holds class
    // slots carries them over (vostrel::carryOverBuild, carriedSlot).
    void classesReplaced(const vostrel::ClassTable& previous);
    void watchClassFile();
    // `text` in the line under the report; `detail`, when given, in its tooltip and
    // for a screen reader in its place.
    void showFileNotice(const QString& text, const QString& detail = {});

    void onGoClicked();
    // Go, `saidFirst` told to a screen reader before the outcome.
    void runGo(const QString& saidFirst);
    void tellOutcome(const QString& outcome);
    void showAbout();
    void confirmExit();
    void showLevelByLevel();
    void showClasses();
    void copyBuild();
    void pasteBuild();

    void showPairs();
    void usePair(int first, int second, int level);

    BuildKeeper& keeper();
    void keepBuild();
    void showCompare();
    void refreshCompare();
    void useKept(int index);
    // Puts `sheet` into the rows for `command` and runs Go, having kept the build it
    // replaces; false when the player called it off.
    bool replaceRows(const vostrel::BuildSheet& sheet, const QString& command, QWidget* asker);

    SheetDocument sheetDocumentOf(const vostrel::BuildSheet& sheet) const;
    std::optional<PrintedDocument> sheetToPrint(const QString& title,
                                                const vostrel::BuildSheet& built);
    void printSheet(bool preview);
    void saveSheetAsPdf();

    UserPrompts& prompts_;
    ClassFileLoader loader_;
    vostrel::ClassTable classTable_;
    bool classDataLoaded_ = false;

    BuildSheetWidget* buildSheet_ = nullptr;
    QPushButton* Cmd_go = nullptr;
    QPlainTextEdit* Txt_Output = nullptr;
    QLabel* Label1 = nullptr;
    QStringListModel* classNames_ = nullptr;  // shared by every class list

    QString classFilePath_;
    LevelByLevelWindow* levelByLevel_ = nullptr;  // built on first use
    ClassesWindow* classes_ = nullptr;            // built on first use
    SpokenNotice* outcomeNotice_ = nullptr;       // built on first use
    PairsWindow* pairs_ = nullptr;                // built on first use
    ClassFileWatch* fileWatch_ = nullptr;         // built once the window is up
    QLabel* fileNotice_ = nullptr;                // built on first use
    SpokenNotice* fileNoticeSpoken_ = nullptr;    // built on first use
    BuildKeeper* keeper_ = nullptr;               // built on first use
    CompareWindow* compare_ = nullptr;            // built on first use
    bool explainedOnPaper_ = false;               // the sheet's option, kept for the run
};
