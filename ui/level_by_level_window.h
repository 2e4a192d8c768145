#pragma once

#include "class_table.h"
#include "progression.h"
#include "table_window.h"

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
    QSize aroundTable(int tableWidth) const;

    TableModel* model_ = nullptr;
    TableView* Grd_Levels = nullptr;
    QPushButton* Cmd_CopyAll = nullptr;
    bool sizedForTable_ = false;  // false while sized for a message in place of the table
};
