#include "table_window.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <numeric>

namespace {

QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

void copyToClipboard(const QString& text) {
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

// A plain QWidget reads as a filler to assistive technology; a table window is
// a window with its title, announced as such when it opens.
QAccessibleInterface* tableWindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("TableWindow") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

TableModel::TableModel(std::vector<TableColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void TableModel::setCopyColumns(std::vector<TableColumn> columns) {
    copyColumns_ = std::move(columns);
}

void TableModel::setRows(int count) {
    beginResetModel();
    order_.resize(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(order_.begin(), order_.end(), 0);
    endResetModel();
}

int TableModel::givenRow(int row) const {
    return order_[static_cast<std::size_t>(row)];
}

QString TableModel::rowsText(const QList<int>& rows) const {
    if (rows.isEmpty()) {
        return {};
    }
    const std::vector<TableColumn>& fields = copyColumns_.empty() ? columns_ : copyColumns_;
    QStringList cells;
    for (const TableColumn& field : fields) {
        cells.append(oneLine(field.title));
    }
    QString text = cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const int row : rows) {
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        cells.clear();
        for (const TableColumn& field : fields) {
            cells.append(oneLine(field.text(givenRow(row))));
        }
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const TableColumn& column = columns_[static_cast<std::size_t>(index.column())];
    const int row = givenRow(index.row());
    const bool marked = column.marked && column.marked(row);
    switch (role) {
        case Qt::DisplayRole:
            return oneLine(column.text(row));
        case Qt::TextAlignmentRole:
            return static_cast<int>(column.alignment | Qt::AlignVCenter);
        case Qt::ToolTipRole:
            return column.toolTip ? column.toolTip(row) : QVariant();
        case Qt::AccessibleDescriptionRole:
            return marked && column.toolTip ? column.toolTip(row) : QVariant();
        case Qt::DecorationRole:
            return marked ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)
                          : QVariant();
        default:
            return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const TableColumn& column = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) {
        return column.title;
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(column.alignment | Qt::AlignVCenter);
    }
    return {};
}

// Rows that sort alike keep their given order, so that sorting by any column and
// then by one that tells the rows apart always ends in the same table.
void TableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    const TableColumn& by = columns_[static_cast<std::size_t>(column)];
    std::vector<QVariant> keys;
    keys.reserve(order_.size());
    for (int row = 0; row < rowCount(); ++row) {
        keys.push_back(by.sortKey ? by.sortKey(row) : QVariant(by.text(row).toCaseFolded()));
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> beforeGiven;
    for (const QModelIndex& index : before) {
        beforeGiven.push_back(givenRow(index.row()));
    }
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(), [&keys, order](int left, int right) {
        const QVariant& a =
            keys[static_cast<std::size_t>(order == Qt::AscendingOrder ? left : right)];
        const QVariant& b =
            keys[static_cast<std::size_t>(order == Qt::AscendingOrder ? right : left)];
        return QVariant::compare(a, b) == QPartialOrdering::Less;
    });
    std::vector<int> tableRowOf(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row) {
        tableRowOf[static_cast<std::size_t>(order_[row])] = static_cast<int>(row);
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        after.append(
            index(tableRowOf[static_cast<std::size_t>(beforeGiven[static_cast<std::size_t>(i)])],
                  before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

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
    connect(copyAll, &QAction::triggered, this, [this] { copyToClipboard(allRowsText()); });
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

QRect placementBeside(const QRect& main, const QList<QRect>& others, const QRect& room,
                      QSize wanted, int narrowest) {
    const int width = std::min(std::max(wanted.width(), narrowest), room.width());
    narrowest = std::min(narrowest, width);
    const int height = std::min(wanted.height(), room.height());
    const int top = std::clamp(main.top(), room.top(), room.bottom() + 1 - height);
    QList<QRect> taken{main};
    taken.append(others);
    const auto isFree = [&taken](const QRect& place) {
        return std::none_of(taken.begin(), taken.end(),
                            [&place](const QRect& window) { return window.intersects(place); });
    };
    // To the right of a window first, as the eye reads on from the main window.
    for (const QRect& window : taken) {
        const int fits = std::min(width, room.right() - window.right());
        const QRect place(window.right() + 1, top, fits, height);
        if (fits >= narrowest && isFree(place)) {
            return place;
        }
    }
    for (const QRect& window : taken) {
        const int fits = std::min(width, window.left() - room.left());
        const QRect place(window.left() - fits, top, fits, height);
        if (fits >= narrowest && isFree(place)) {
            return place;
        }
    }
    // No free room: at its narrowest as far right as fits, over the main window
    // only where the screen is too narrow.
    const int fallbackWidth = std::max(narrowest, std::min(width, room.right() - main.right()));
    const int left = std::clamp(main.right() + 1, room.left(), room.right() + 1 - fallbackWidth);
    return {left, top, fallbackWidth, height};
}

TableWindow::TableWindow(QWidget& mainWindow, const QString& objectName, const QString& title)
    : QWidget(&mainWindow, Qt::Window), mainWindow_(mainWindow) {
    static const bool accessibleAsWindow = [] {
        QAccessible::installFactory(&tableWindowAccessible);
        return true;
    }();
    Q_UNUSED(accessibleAsWindow);
    setObjectName(objectName);
    setWindowTitle(title);
    setAccessibleName(title);

    auto* closeWindow = new QAction(this);
    closeWindow->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(closeWindow);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);

    // The tables belong to the main window's file and build: they go when it goes.
    mainWindow.installEventFilter(this);
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &mainWindow_ && event->type() == QEvent::Close) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

void TableWindow::present() {
    if (!placed_) {
        // A window with a transient parent is kept above it by the desktop; this
        // one is a window of its own that the main window may cover.
        winId();
        windowHandle()->setTransientParent(nullptr);
        placeAgain();
        placed_ = true;
    }
    // A minimized window would take the command without a sign.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    focusContents();
}

void TableWindow::placeAgain() {
    const QScreen* screen = mainWindow_.screen();
    if (screen == nullptr) {
        return;
    }
    // Before it is first shown the window has no frame yet; the main window's is
    // the best guess of what the desktop will add.
    const QRect main = mainWindow_.frameGeometry();
    const QRect inside = mainWindow_.geometry();
    const QMargins frame(inside.left() - main.left(), inside.top() - main.top(),
                         main.right() - inside.right(), main.bottom() - inside.bottom());
    QList<QRect> others;
    for (const TableWindow* other : mainWindow_.findChildren<TableWindow*>()) {
        if (other != this && other->isVisible()) {
            others.append(other->frameGeometry());
        }
    }
    QSize wanted = preferredSize();
    if (placed_) {
        wanted = wanted.expandedTo(size());
    }
    const QRect place =
        placementBeside(main, others, screen->availableGeometry(), wanted.grownBy(frame),
                        narrowestWidth() + frame.left() + frame.right());
    // The client rectangle, not the frame's position: a window not yet shown has no
    // frame, and a desktop would put its title bar above a top chosen for the frame.
    setGeometry(place.marginsRemoved(frame));
}

QPushButton* TableWindow::makeCopyAllButton(TableView& view) {
    auto* button = new QPushButton(QStringLiteral("Copy All"), this);
    button->setObjectName(QStringLiteral("Cmd_CopyAll"));
    button->setAccessibleName(QStringLiteral("Copy All"));
    button->setAccessibleDescription(
        QStringLiteral("Copies the whole table as tab-separated text"));
    // Outside a dialog this only makes Enter press the focused button.
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [&view] { copyToClipboard(view.allRowsText()); });
    return button;
}
