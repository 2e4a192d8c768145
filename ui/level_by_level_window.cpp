#include "level_by_level_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "level_by_level.h"

namespace {

const QString kTitle = QStringLiteral("Level by Level - Vostrel Progression Calculator");
const QString kNothingToShowText =
    QStringLiteral("Choose two classes and a level count in the first row.");

enum Column { Level, Classes, HitDie, SkillPoints, Bab, Fort, Ref, Will, Features, ColumnCount };

const std::array<QString, ColumnCount> kHeaders{
    QStringLiteral("Level"),        QStringLiteral("Classes"), QStringLiteral("Hit Die"),
    QStringLiteral("Skill Points"), QStringLiteral("BAB"),     QStringLiteral("Fort"),
    QStringLiteral("Ref"),          QStringLiteral("Will"),    QStringLiteral("Features")};

bool isTextColumn(int column) {
    return column == Classes || column == Features;
}

Qt::Alignment alignmentOf(int column) {
    return (isTextColumn(column) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

// Class names and features cells may hold tabs and line breaks (quoted in the
// class file); one line per row keeps the table and the copied text whole.
QString oneLine(const std::string& text) {
    QString line = QString::fromStdString(text);
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : line) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            c = QLatin1Char(' ');
        }
    }
    return line;
}

QString classesText(const vostrel::LevelRow& row, const vostrel::ClassTable& table) {
    const auto classAt = [&table](const vostrel::ClassAtLevel& reached) {
        return oneLine(table.recordAt(reached.slot).name) + QLatin1Char(' ') +
               QString::number(reached.classLevel);
    };
    // A class chosen in both lists is one class, as in the class-level tally.
    if (row.sameClass()) {
        return classAt(row.first);
    }
    return classAt(row.first) + QStringLiteral(" / ") + classAt(row.second);
}

// A features cell may itself hold commas, so the two classes' cells are set apart
// by a semicolon.
QString featuresText(const vostrel::LevelRow& row) {
    QStringList cells;
    for (const std::string& cell : row.features) {
        cells.append(oneLine(cell));
    }
    return cells.join(QStringLiteral("; "));
}

// The bonuses as the report writes them: BAB bare, the saves with their plus sign.
std::array<QString, ColumnCount> cellsOf(const vostrel::LevelRow& row,
                                         const vostrel::ClassTable& table) {
    const auto save = [](int value) { return QStringLiteral("+%1").arg(value); };
    return {QString::number(row.level),
            classesText(row, table),
            QStringLiteral("d%1").arg(row.hitDie),
            QString::number(row.skillPoints),
            QString::number(row.bab),
            save(row.fort),
            save(row.ref),
            save(row.will),
            featuresText(row)};
}

}  // namespace

// The table, able to say how much room its contents take before it is shown.
class LevelTable final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    using QTableWidget::sizeHintForColumn;
    using QTableWidget::sizeHintForRow;
};

LevelByLevelWindow::LevelByLevelWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    setObjectName(QStringLiteral("LevelByLevelWindow"));
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);

    Grd_Levels = new LevelTable(0, ColumnCount, this);
    Grd_Levels->setObjectName(QStringLiteral("Grd_Levels"));
    Grd_Levels->setAccessibleName(QStringLiteral("Progression level by level"));
    Grd_Levels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_Levels->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Levels->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab leaves the table for the button instead of walking its cells.
    Grd_Levels->setTabKeyNavigation(false);
    Grd_Levels->setWordWrap(false);
    Grd_Levels->setTextElideMode(Qt::ElideRight);
    Grd_Levels->setAlternatingRowColors(true);
    Grd_Levels->verticalHeader()->hide();
    // Rows as tall as their text, not the style's roomier default.
    Grd_Levels->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (int column = 0; column < ColumnCount; ++column) {
        auto* header = new QTableWidgetItem(kHeaders[static_cast<std::size_t>(column)]);
        header->setTextAlignment(alignmentOf(column));
        Grd_Levels->setHorizontalHeaderItem(column, header);
    }
    QHeaderView* header = Grd_Levels->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The features take what room is left and elide beyond it; the tooltip has them whole.
    header->setSectionResizeMode(Features, QHeaderView::Stretch);

    Lbl_Message = new QLabel(this);
    Lbl_Message->setObjectName(QStringLiteral("Lbl_Message"));
    Lbl_Message->setAccessibleName(QStringLiteral("Level by level message"));
    Lbl_Message->setAlignment(Qt::AlignCenter);
    Lbl_Message->setWordWrap(true);
    Lbl_Message->setTextFormat(Qt::PlainText);
    Lbl_Message->setMargin(12);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(Grd_Levels);
    pages_->addWidget(Lbl_Message);

    Cmd_CopyAll = new QPushButton(QStringLiteral("Copy All"), this);
    Cmd_CopyAll->setObjectName(QStringLiteral("Cmd_CopyAll"));
    Cmd_CopyAll->setAccessibleName(QStringLiteral("Copy All"));
    Cmd_CopyAll->setAccessibleDescription(
        QStringLiteral("Copies the whole table as tab-separated text"));
    Cmd_CopyAll->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_CopyAll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);

    copyRows_ = new QAction(QStringLiteral("Copy"), Grd_Levels);
    copyRows_->setShortcut(QKeySequence::Copy);
    copyRows_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* copyAll = new QAction(QStringLiteral("Copy All"), Grd_Levels);
    Grd_Levels->addActions({copyRows_, copyAll});
    Grd_Levels->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* closeWindow = new QAction(this);
    closeWindow->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(closeWindow);

    const auto copy = [](const QString& text) {
        if (!text.isEmpty()) {
            QGuiApplication::clipboard()->setText(text);
        }
    };
    connect(copyRows_, &QAction::triggered, this, [this, copy] { copy(selectedRowsText()); });
    connect(copyAll, &QAction::triggered, this, [this, copy] { copy(allRowsText()); });
    connect(Cmd_CopyAll, &QPushButton::clicked, this, [this, copy] { copy(allRowsText()); });
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);

    // The table belongs to the main window's build: it goes when that window goes.
    mainWindow->installEventFilter(this);
}

bool LevelByLevelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Close) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

void LevelByLevelWindow::showBuild(const vostrel::BuildSheet& sheet,
                                   const vostrel::ClassTable& table) {
    const vostrel::LevelByLevelResult result = vostrel::levelByLevel(sheet, table);
    const bool finished = result.outcome == vostrel::ProgressionOutcome::Finished;
    if (result.outcome == vostrel::ProgressionOutcome::TooManyLevels) {
        Lbl_Message->setText(QString::fromUtf8(vostrel::kTooManyLevelsText));
    } else if (!finished) {
        Lbl_Message->setText(kNothingToShowText);
    }

    Grd_Levels->clearContents();
    Grd_Levels->setRowCount(static_cast<int>(result.rows.size()));
    int rowIndex = 0;
    for (const vostrel::LevelRow& row : result.rows) {
        const std::array<QString, ColumnCount> cells = cellsOf(row, table);
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(column)]);
            item->setTextAlignment(alignmentOf(column));
            if (column == Features) {
                item->setToolTip(item->text());
            }
            Grd_Levels->setItem(rowIndex, column, item);
        }
        ++rowIndex;
    }

    pages_->setCurrentWidget(finished ? static_cast<QWidget*>(Grd_Levels) : Lbl_Message);
    Cmd_CopyAll->setEnabled(finished);
    copyRows_->setEnabled(finished);
    if (finished && placed_ && !sizedForTable_) {
        // First shown on a message, the window was sized for the header line alone:
        // let the first table have the room it needs, once, without shrinking.
        resize(size().expandedTo(preferredSize()));
        moveOnScreen(pos());
        sizedForTable_ = true;
    }
}

void LevelByLevelWindow::present() {
    if (!placed_) {
        resize(preferredSize());
        placeBesideMainWindow();
        placed_ = true;
        sizedForTable_ = pages_->currentWidget() == Grd_Levels;
    }
    // A minimized window would take F2 without a sign.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    if (pages_->currentWidget() == Grd_Levels) {
        Grd_Levels->setFocus();
    }
}

QString LevelByLevelWindow::selectedRowsText() const {
    QList<int> rows;
    for (const QModelIndex& index : Grd_Levels->selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rowsText(rows);
}

QString LevelByLevelWindow::allRowsText() const {
    QList<int> rows;
    for (int row = 0; row < Grd_Levels->rowCount(); ++row) {
        rows.append(row);
    }
    return rowsText(rows);
}

QString LevelByLevelWindow::rowsText(const QList<int>& rows) const {
    if (pages_->currentWidget() != Grd_Levels || rows.isEmpty()) {
        return {};
    }
    const auto line = [](const QStringList& cells) {
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QStringList cells;
    for (const QString& title : kHeaders) {
        cells.append(title);
    }
    QString text = line(cells);
    for (const int row : rows) {
        cells.clear();
        for (int column = 0; column < ColumnCount; ++column) {
            cells.append(Grd_Levels->item(row, column)->text());
        }
        text += line(cells);
    }
    return text;
}

// Wide enough for every column in full and tall enough for twenty rows, within
// the screen's room.
QSize LevelByLevelWindow::preferredSize() const {
    ensurePolished();  // measures in the fonts and style the window will be shown in
    const int frame = 2 * Grd_Levels->frameWidth();
    int width = frame + Grd_Levels->verticalScrollBar()->sizeHint().width();
    const QHeaderView* header = Grd_Levels->horizontalHeader();
    for (int column = 0; column < ColumnCount; ++column) {
        width += std::max(Grd_Levels->sizeHintForColumn(column), header->sectionSizeHint(column));
    }
    // A row is as tall as its cells, its own header's hint or the smallest section,
    // whichever is most; before any row exists, about what the header line takes.
    const QHeaderView* rowHeader = Grd_Levels->verticalHeader();
    const int rowHeight =
        Grd_Levels->rowCount() > 0
            ? std::max({Grd_Levels->sizeHintForRow(0), rowHeader->sectionSizeHint(0),
                        rowHeader->minimumSectionSize()})
            : header->sizeHint().height();
    const int height =
        frame + header->sizeHint().height() + vostrel::kMaxCharacterLevel * rowHeight;
    const QMargins margins = layout()->contentsMargins();
    QSize size(width + margins.left() + margins.right(), height + margins.top() + margins.bottom() +
                                                             layout()->spacing() +
                                                             Cmd_CopyAll->sizeHint().height());
    if (const QScreen* screen = parentWidget()->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    return size;
}

// To the right of the main window where the screen has room; otherwise as far
// right as fits, over the main window.
void LevelByLevelWindow::placeBesideMainWindow() {
    const QRect main = parentWidget()->frameGeometry();
    moveOnScreen({main.right() + 1, main.top()});
}

// Moves the window's frame to `at`, or as near it as keeps the whole frame on the screen.
void LevelByLevelWindow::moveOnScreen(QPoint at) {
    if (const QScreen* screen = parentWidget()->screen()) {
        const QRect room = screen->availableGeometry();
        const QSize frameSize = size() + (frameGeometry().size() - geometry().size());
        at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - frameSize.width())));
        at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - frameSize.height())));
    }
    move(at);
}
