#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <functional>
#include <vector>

// One column of a table, written with the names of its parts:
//     {.title = "BAB", .alignment = Qt::AlignRight, .display = ..., .sortKey = ...}
// The functions take a row's number in the order the rows were given, whichever
// way the table is sorted, and hold (by value) a shared snapshot of what they
// show, so the rows stay readable for as long as the model lives.
struct TableColumn {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    std::function<QString(int row)> display;
    // Optional: the text over a cell; a mark on cells that deserve a second look,
    // whose tooltip a screen reader then reads after the cell; what the column
    // sorts by (its text, ignoring case, when unset).
    std::function<QString(int row)> toolTip = {};
    std::function<bool(int row)> marked = {};
    std::function<QVariant(int row)> sortKey = {};
    // Optional: cells shown in bold, as the best of their kind.
    std::function<bool(int row)> strong = {};
    // The tooltip of every cell, marked or not, is also read after the cell.
    bool toolTipDescribes = false;
};

// A column of whole numbers, right-aligned and sorted as numbers, each written
// after `prefix` ("d" for a die, "+" for a bonus).
TableColumn numberColumn(const QString& title, std::function<int(int row)> value,
                         const QString& prefix = {});

// Rows shown through columns, read-only. A tab or line break inside a value
// shows, and copies, as a space: one value stays one cell, one row one line.
class TableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // Without rows yet.
    explicit TableModel(std::vector<TableColumn> columns, QObject* parent = nullptr);

    // Starts over with `count` rows in their given order, shown through `columns`
    // (those of a new snapshot) and copied as `copyColumns` (the shown columns
    // when empty).
    void setRows(std::vector<TableColumn> columns, int count,
                 std::vector<TableColumn> copyColumns = {});
    // The given-order number of the row at table row `row`.
    int givenRow(int row) const;
    // The header line and table rows `rows`, in that order, as tab-separated
    // lines; empty without rows.
    QString rowsText(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    std::vector<TableColumn> columns_;
    std::vector<TableColumn> copyColumns_;
    std::vector<int> order_;  // table row -> given row
};
