#pragma once

#include <QStringList>

#include "class_table.h"
#include "progression.h"
#include "table_window.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The build's progression at every character level, in a table window of its own.
class LevelByLevelWindow final : public TableWindow {
    Q_OBJECT

public:
    explicit LevelByLevelWindow(QWidget& mainWindow);

    // Replaces the table with the rows of `sheet`, or with what stands in their way.
    void showBuild(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table);

protected:
    QSize preferredSize() const override;
    int narrowestWidth() const override;

private:
    // The selected level's row in full, in the How pane.
    void showHowOf(const QModelIndex& current);
    QSize aroundTable(int tableWidth) const;

    QStringList howTexts_;  // each level's row in words

    TableModel* model_ = nullptr;
    TableView* levelsTable = nullptr;
    QPushButton* copyAllButton = nullptr;
    QWidget* howPane_ = nullptr;
    QLabel* howLabel = nullptr;
    QPlainTextEdit* howBox = nullptr;
    bool sizedForTable_ = false;  // false while sized for a message in place of the table
};
