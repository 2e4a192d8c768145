#pragma once

#include <memory>

#include "class_table.h"
#include "pair_table.h"
#include "table_window.h"

class ClassList;
class QAbstractItemModel;
class QPushButton;
class QSpinBox;

// Every pair of two classes of the file side by side, as Go would report each pair
// alone at the chosen level, optionally only the pairs with one class; the
// selected pair can be taken into the build.
// - Use Pair (the button, Enter in the table or a double click on a row) asks for
//   the pair to be put into the build at the chosen level: pairChosen().
// - A new level or class keeps the selected pair selected, when it is still shown.
class PairsWindow final : public TableWindow {
    Q_OBJECT

public:
    // Shows the pairs of `table`, whose class names `classNames` holds after
    // "<None>", as the main window's lists do.
    PairsWindow(QWidget& mainWindow, const vostrel::ClassTable& table,
                QAbstractItemModel& classNames);

    // Shows the pairs of a newly loaded `table`, once `classNames` holds its names;
    // the class the pairs were shown with stays when the new table has it.
    void showTable(const vostrel::ClassTable& table);

signals:
    // The pair of class slots `first` and `second`, at `level` levels.
    void pairChosen(int first, int second, int level);

protected:
    QStringList printedContext() const override;
    QSize preferredSize() const override;
    int narrowestWidth() const override;

private:
    void showRows();
    void usePairAt(const QModelIndex& index);
    QSize aroundTable(int tableWidth) const;

    struct Shown;
    static std::vector<TableColumn> columns(const std::shared_ptr<const Shown>& shown);

    std::shared_ptr<const vostrel::ClassTable> table_;  // as shown, a copy of the file's
    std::shared_ptr<const Shown> shown_;
    QSpinBox* levelBox = nullptr;
    ClassList* withClassList = nullptr;
    // While the names are replaced: the class chosen before, and no rows shown.
    int keptWithClass_ = 0;
    bool namesReplaced_ = false;
    TableModel* pairs_ = nullptr;
    TableView* pairsTable = nullptr;
    QPushButton* usePairButton = nullptr;
    QPushButton* copyAllButton = nullptr;
};
