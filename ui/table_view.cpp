#include "table_view.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <numeric>

namespace {

void copyToClipboard(const QString& text) {
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

}  // namespace

TableView::TableView(TableModel* model, QWidget* parent) : QTableView(parent), model_(model) {
    setModel(model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab leaves the table for the next control instead of walking its cells.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section != fillColumn_) {
            fillRemainingWidth();
        }
    });

    auto* copyRows = new QAction(QStringLiteral("Copy"), this);
    copyRows->setShortcut(QKeySequence::Copy);
    copyRows->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* copyAll = new QAction(QStringLiteral("Copy All"), this);
    addActions({copyRows, copyAll});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copyRows, &QAction::triggered, this, [this] { copyToClipboard(selectedRowsText()); });
    connect(copyAll, &QAction::triggered, this, &TableView::copyAllRows);
}

// In the table's order, not the order the rows were picked in.
QString TableView::selectedRowsText() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    if (rows.isEmpty() && currentIndex().isValid()) {
        rows.append(currentIndex().row());
    }
    std::sort(rows.begin(), rows.end());
    return model_->rowsText(rows);
}

QString TableView::allRowsText() const {
    QList<int> rows(model_->rowCount());
    std::iota(rows.begin(), rows.end(), 0);
    return model_->rowsText(rows);
}

void TableView::copyAllRows() const {
    copyToClipboard(allRowsText());
}

void TableView::setSortable(int column) {
    horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
    setSortingEnabled(true);
    auto* sortBy = new QMenu(QStringLiteral("Sort by"), this);
    const auto fill = [this, sortBy] {
        sortBy->clear();
        for (int by = 0; by < model_->columnCount(); ++by) {
            sortBy->addAction(model_->headerData(by, Qt::Horizontal).toString(), this,
                              [this, by] { sortByColumn(by, Qt::AscendingOrder); });
        }
    };
    fill();
    // Filled again as it opens, for a table whose columns change.
    connect(sortBy, &QMenu::aboutToShow, this, fill);
    addAction(sortBy->menuAction());
}

void TableView::sortAgain() {
    if (isSortingEnabled()) {
        model_->sort(horizontalHeader()->sortIndicatorSection(),
                     horizontalHeader()->sortIndicatorOrder());
    }
}

int TableView::columnWantedWidth(int column) const {
    return std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
}

// Rows as tall as one line of text beside a mark, not the style's roomier
// default. Measured once rather than per row: fitting every row to its contents
// lays out each long text again and again.
int TableView::lineHeight() const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.text = QStringLiteral("Xg");
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
}

int TableView::heightForRows(int rows) const {
    return 2 * frameWidth() + horizontalHeader()->sizeHint().height() + rows * lineHeight();
}

void TableView::fitColumns() {
    ensurePolished();  // measures in the fonts and style the table will be shown in
    const int rowHeight = lineHeight();
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    const QSignalBlocker quiet(horizontalHeader());
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int width = columnWantedWidth(column);
        setColumnWidth(column, width);
        if (column == fillColumn_) {
            fillContentsWidth_ = width;
        }
    }
    fillRemainingWidth();
}

int TableView::widthWithoutFill() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < model_->columnCount(); ++column) {
        width += column == fillColumn_ ? horizontalHeader()->sectionSizeHint(column)
                                       : columnWidth(column);
    }
    return width;
}

int TableView::fullWidth() const {
    if (fillColumn_ < 0) {
        return widthWithoutFill();
    }
    return widthWithoutFill() - horizontalHeader()->sectionSizeHint(fillColumn_) +
           std::max(fillContentsWidth_, horizontalHeader()->sectionSizeHint(fillColumn_));
}

// Qt shows a plain-text tooltip in one line up to the screen's width, and wraps a
// rich-text one into a narrow column: a long text goes into a box of a readable
// width instead, where pre-wrap keeps its own spaces and line breaks.
QString TableView::readableToolTip(const QString& text) {
    const QFontMetrics metrics(QToolTip::font());
    const int readable = kToolTipCharacters * metrics.averageCharWidth();
    if (metrics.horizontalAdvance(text) <= readable) {
        return text;
    }
    return QStringLiteral(
               "<table width=%1><tr><td style='white-space:pre-wrap'>%2</td></tr></table>")
        .arg(readable)
        .arg(text.toHtmlEscaped());
}

bool TableView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTableView::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(), readableToolTip(tip), viewport(), visualRect(index));
    return true;
}

void TableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fillRemainingWidth();
}

void TableView::fillRemainingWidth() {
    if (fillColumn_ < 0 || fillColumn_ >= model_->columnCount() || filling_) {
        return;
    }
    filling_ = true;
    int others = 0;
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (column != fillColumn_) {
            others += columnWidth(column);
        }
    }
    setColumnWidth(fillColumn_, std::max(fillContentsWidth_, viewport()->width() - others));
    filling_ = false;
}

// QTableView tells assistive technology that a new current cell has the focus even
// when the table has none, as when new rows keep the row chosen while the player
// changes the level: a screen reader then leaves the control in use for the table.
void TableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus()) {
        QTableView::currentChanged(current, previous);
    } else {
        QAbstractItemView::currentChanged(current, previous);
    }
}
