#pragma once

#include <memory>

#include "class_table.h"
#include "kept_builds.h"
#include "progression.h"
#include "table_window.h"

class QCheckBox;
class QPushButton;
class QTabBar;

// The build in the main window beside the kept builds, level by level, in a table
// window of its own.
// - Above, the whole builds as their reports total them, one row each; Use,
//   Rename and Remove act on the kept build selected there.
// - Below, the Levels view: each build's BAB and saves at every level, and on
//   request its hit die, skill points and features gained; or the Features view:
//   each feature and the level at which each build gains it.
// - The best value of a kind at a level is bold and marked with a star, which a
//   screen reader reads; each value tells how it stands against the current build.
class CompareWindow final : public TableWindow {
    Q_OBJECT

public:
    explicit CompareWindow(QWidget& mainWindow);

    // Shows `current` (the main window's rows) beside the `kept` builds.
    void showBuilds(const vostrel::BuildSheet& current, const vostrel::KeptBuilds& kept,
                    const vostrel::ClassTable& table);

signals:
    // Each for the kept build at `index` in the kept list.
    void useRequested(int index);
    void renameRequested(int index);
    void removeRequested(int index);
    void keepRequested();
    void addFromClipboardRequested();

protected:
    QSize preferredSize() const override;
    int narrowestWidth() const override;

private:
    // Fills the lower table with the chosen view of what is shown.
    void showView();
    // The kept list's index of the build selected above; -1 for the current build.
    int selectedKept() const;
    void enableBuildButtons();
    QSize aroundTables(int tablesWidth) const;

    struct Shown;
    std::shared_ptr<const Shown> shown_;
    TableModel* builds_ = nullptr;
    TableView* buildsTable = nullptr;
    QPushButton* useButton = nullptr;
    QPushButton* renameButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* keepButton = nullptr;
    QPushButton* addButton = nullptr;
    QCheckBox* hitDieBox = nullptr;
    QCheckBox* skillPointsBox = nullptr;
    QCheckBox* featuresBox = nullptr;
    QTabBar* viewTabs = nullptr;
    TableModel* compared_ = nullptr;
    TableView* compareTable = nullptr;
    QPushButton* copyAllButton = nullptr;
};
