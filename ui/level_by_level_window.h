#pragma once

#include <vector>

#include "class_table.h"
#include "level_by_level.h"
#include "progression.h"
#include "table_window.h"

class QLabel;
class QPushButton;
class QStackedWidget;

// The build's progression at every character level, in a table window of its own.
class LevelByLevelWindow final : public TableWindow {
    Q_OBJECT

public:
    explicit LevelByLevelWindow(QWidget& mainWindow);
    ~LevelByLevelWindow() override;

    // Replaces the table with the rows of `sheet`, or with what stands in their way.
    void showBuild(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table);

protected:
    QSize preferredSize() const override;
    int narrowestWidth() const override;
    void focusContents() override;

private:
    std::vector<TableColumn> columns() const;
    QSize aroundTable(int tableWidth) const;

    const vostrel::ClassTable* table_ = nullptr;
    std::vector<vostrel::LevelRow> rows_;
    QStackedWidget* pages_ = nullptr;
    TableModel* model_ = nullptr;
    TableView* Grd_Levels = nullptr;
    QLabel* Lbl_Message = nullptr;
    QPushButton* Cmd_CopyAll = nullptr;
    bool sizedForTable_ = false;  // false while sized for a message in place of the table
};
