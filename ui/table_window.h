#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;

// One column of a table: its header, how its cells align and how a row shows in
// it. The functions take a row's number in the order the rows were given,
// whichever way the table is sorted.
struct TableColumn {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    std::function<QString(int row)> text;
    // Optional: a tooltip, a mark on cells that deserve a second look, and what
    // the column sorts by (its text, ignoring case, when unset).
    std::function<QString(int row)> toolTip = {};
    std::function<bool(int row)> marked = {};
    std::function<QVariant(int row)> sortKey = {};
};

// Rows shown through columns, read-only. A tab or line break inside a value
// shows, and copies, as a space: one value stays one cell, one row one line.
class TableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TableModel(std::vector<TableColumn> columns, QObject* parent = nullptr);

    // The fields a copy holds, one column each; the shown columns unless set.
    void setCopyColumns(std::vector<TableColumn> columns);
    // Starts over with `count` rows, in their given order.
    void setRows(int count);
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

// A read-only table of whole rows over a TableModel.
// - Ctrl+C copies the selected rows in the table's order with the header line,
//   or the current row when none is selected; "Copy All" every row.
// - Columns resize by dragging their headers. The fill column takes the room
//   the others leave and never less than its contents: a narrow window scrolls
//   instead of eliding it.
class TableView final : public QTableView {
    Q_OBJECT

public:
    TableView(TableModel* model, QWidget* parent);

    TableModel* tableModel() const { return model_; }
    QString selectedRowsText() const;
    QString allRowsText() const;

    void setFillColumn(int column) { fillColumn_ = column; }
    // Sizes every column to its contents and header; call after new rows.
    void fitColumns();
    // The width that shows every column in full, frame and scroll bar included,
    // and the same without the fill column's contents.
    int fullWidth() const;
    int widthWithoutFill() const;

    // The height of every row: one line of text beside a mark.
    int lineHeight() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int columnWantedWidth(int column) const;
    void fillRemainingWidth();

    TableModel* model_;
    int fillColumn_ = -1;
    int fillContentsWidth_ = 0;
    bool filling_ = false;
};

// Where a window goes whose frame would like `wanted` and can do with `narrowest`
// in width: beside `main`, clear of `others` where `room` allows, else over as
// little of `main` as its narrowest width takes. All rectangles are frames.
QRect placementBeside(const QRect& main, const QList<QRect>& others, const QRect& room,
                      QSize wanted, int narrowest);

// A window of its own holding tables, opened from the main window.
// - Built on first use; closing it only hides it, and it closes with the main window.
// - Escape closes it.
// - First shown beside the main window and the other table windows, on the screen.
// - Not kept above the main window: raising that one may cover it.
class TableWindow : public QWidget {
    Q_OBJECT

public:
    // Shows the window (placed the first time) and brings it forward.
    void present();

protected:
    TableWindow(QWidget& mainWindow, const QString& objectName, const QString& title);

    // What the window would like, inside its frame, and the narrowest width
    // that still shows what matters.
    virtual QSize preferredSize() const = 0;
    virtual int narrowestWidth() const = 0;
    // Gives the focus to what a keyboard user starts from, after each present().
    virtual void focusContents() {}

    bool placed() const { return placed_; }
    // Places the window anew, no smaller than it is.
    void placeAgain();
    // A "Copy All" button for `view`; Enter on it presses it.
    QPushButton* makeCopyAllButton(TableView& view);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& mainWindow_;
    bool placed_ = false;
};
