#pragma once

#include <QWidget>

#include "class_table.h"
#include "progression.h"

class LevelTable;
class QAction;
class QLabel;
class QPushButton;
class QStackedWidget;

// The build's progression at every character level, in a window of its own that
// stays over the main window. Built on first use; closing it only hides it.
class LevelByLevelWindow final : public QWidget {
    Q_OBJECT

public:
    explicit LevelByLevelWindow(QWidget* mainWindow);

    // Replaces the table with the rows of `sheet`, or with what stands in their way.
    void showBuild(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table);
    // Shows the window (beside the main window the first time) and brings it forward.
    void present();

    // The header line and the selected rows, or every row, as tab-separated lines:
    // what a spreadsheet pastes as a table. Empty while a message stands in for the table.
    QString selectedRowsText() const;
    QString allRowsText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString rowsText(const QList<int>& rows) const;
    QSize preferredSize() const;
    void placeBesideMainWindow();
    void moveOnScreen(QPoint at);

    QStackedWidget* pages_ = nullptr;
    LevelTable* Grd_Levels = nullptr;
    QLabel* Lbl_Message = nullptr;
    QPushButton* Cmd_CopyAll = nullptr;
    QAction* copyRows_ = nullptr;
    bool placed_ = false;
    bool sizedForTable_ = false;  // false while sized for a message in place of the table
};
