#include "table_model.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
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

}  // namespace

TableColumn numberColumn(const QString& title, std::function<int(int row)> value,
                         const QString& prefix) {
    return {.title = title,
            .alignment = Qt::AlignRight,
            .display = [value, prefix](int row) { return prefix + QString::number(value(row)); },
            .sortKey = [value](int row) { return QVariant(value(row)); }};
}

TableModel::TableModel(std::vector<TableColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void TableModel::setRows(std::vector<TableColumn> columns, int count,
                         std::vector<TableColumn> copyColumns) {
    beginResetModel();
    columns_ = std::move(columns);
    copyColumns_ = std::move(copyColumns);
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
            cells.append(oneLine(field.display(givenRow(row))));
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
            return oneLine(column.display(row));
        case Qt::TextAlignmentRole:
            return static_cast<int>(column.alignment | Qt::AlignVCenter);
        case Qt::ToolTipRole:
            return column.toolTip ? column.toolTip(row) : QVariant();
        case Qt::AccessibleDescriptionRole:
            return (marked || column.toolTipDescribes) && column.toolTip ? column.toolTip(row)
                                                                         : QVariant();
        case Qt::FontRole:
            if (column.strong && column.strong(row)) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
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
        keys.push_back(by.sortKey ? by.sortKey(row) : QVariant(by.display(row).toCaseFolded()));
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
