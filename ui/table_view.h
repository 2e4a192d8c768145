#pragma once

#include <QTableView>

#include "table_model.h"

// A read-only table of whole rows over a TableModel.
// - Ctrl+C copies the selected rows in the table's order with the header line,
//   or the current row when none is selected; "Copy All" every row.
// - Sortable tables sort by a header click, or by "Sort by" in the context menu
//   (the Menu key) for the keyboard.
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
    // Puts every row on the clipboard, unless there is none.
    void copyAllRows() const;

    // Sorts by `column` now and by any column the user picks later.
    void setSortable(int column);
    // Sorts new rows as the table was sorted.
    void sortAgain();

    void setFillColumn(int column) { fillColumn_ = column; }
    // Sizes every column to its contents and header; call after new rows.
    void fitColumns();
    // The width that shows every column in full, frame and scroll bar included,
    // and the same without the fill column's contents.
    int fullWidth() const;
    int widthWithoutFill() const;

    // The height of every row: one line of text beside a mark.
    int lineHeight() const;
    // The height that shows the header and `rows` rows, frame included.
    int heightForRows(int rows) const;

    // `text` as a tooltip of at most some 70 characters a line.
    static QString readableToolTip(const QString& text);
    static constexpr int kToolTipCharacters = 70;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A cell's tooltip wraps at a readable width instead of running off the screen.
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    int columnWantedWidth(int column) const;
    void fillRemainingWidth();

    TableModel* model_;
    int fillColumn_ = -1;
    int fillContentsWidth_ = 0;
    bool filling_ = false;
};
