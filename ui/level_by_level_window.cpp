#include "level_by_level_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Level by Level - Vostrel Progression Calculator");
const QString kNothingToShowText =
    QStringLiteral("Choose two classes and a level count in the first row.");
const QString kNoClassesText =
    QStringLiteral("The class file holds no classes: there is no build to show.");

enum Column { Level, Classes, HitDie, SkillPoints, Bab, Fort, Ref, Will, Features };

QString classesText(const vostrel::LevelRow& row, const vostrel::ClassTable& table) {
    const auto classAt = [&table](const vostrel::ClassAtLevel& reached) {
        return QString::fromStdString(table.recordAt(reached.slot).name) + QLatin1Char(' ') +
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
        cells.append(QString::fromStdString(cell));
    }
    return cells.join(QStringLiteral("; "));
}

}  // namespace

LevelByLevelWindow::LevelByLevelWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("LevelByLevelWindow"), kTitle) {
    model_ = new TableModel(columns(), this);
    Grd_Levels = new TableView(model_, this);
    Grd_Levels->setObjectName(QStringLiteral("Grd_Levels"));
    Grd_Levels->setAccessibleName(QStringLiteral("Progression level by level"));
    Grd_Levels->setFillColumn(Features);

    // Named by its text, so that a screen reader reads the message itself.
    Lbl_Message = new QLabel(this);
    Lbl_Message->setObjectName(QStringLiteral("Lbl_Message"));
    Lbl_Message->setAlignment(Qt::AlignCenter);
    Lbl_Message->setWordWrap(true);
    Lbl_Message->setTextFormat(Qt::PlainText);
    Lbl_Message->setMargin(12);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(Grd_Levels);
    pages_->addWidget(Lbl_Message);

    Cmd_CopyAll = makeCopyAllButton(*Grd_Levels);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_CopyAll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
}

// Closing on the way out still reads the table; by then the rows and the class
// table are going, so the table lets go of them first.
LevelByLevelWindow::~LevelByLevelWindow() {
    model_->setRows(0);
}

// The bonuses as the report writes them: BAB bare, the saves with their plus sign.
std::vector<TableColumn> LevelByLevelWindow::columns() const {
    const Qt::Alignment right = Qt::AlignRight;
    const auto at = [this](int row) -> const vostrel::LevelRow& {
        return rows_[static_cast<std::size_t>(row)];
    };
    const auto save = [](int value) { return QStringLiteral("+%1").arg(value); };
    return {
        {QStringLiteral("Level"), right, [at](int r) { return QString::number(at(r).level); }},
        {QStringLiteral("Classes"), Qt::AlignLeft,
         [this, at](int r) { return classesText(at(r), *table_); }},
        {QStringLiteral("Hit Die"), right,
         [at](int r) { return QStringLiteral("d%1").arg(at(r).hitDie); }},
        {QStringLiteral("Skill Points"), right,
         [at](int r) { return QString::number(at(r).skillPoints); }},
        {QStringLiteral("BAB"), right, [at](int r) { return QString::number(at(r).bab); }},
        {QStringLiteral("Fort"), right, [at, save](int r) { return save(at(r).fort); }},
        {QStringLiteral("Ref"), right, [at, save](int r) { return save(at(r).ref); }},
        {QStringLiteral("Will"), right, [at, save](int r) { return save(at(r).will); }},
        // The features take what room is left; the tooltip has them whole.
        {QStringLiteral("Features"), Qt::AlignLeft, [at](int r) { return featuresText(at(r)); },
         [at](int r) { return featuresText(at(r)); }},
    };
}

void LevelByLevelWindow::showBuild(const vostrel::BuildSheet& sheet,
                                   const vostrel::ClassTable& table) {
    table_ = &table;
    vostrel::LevelByLevelResult result = vostrel::levelByLevel(sheet, table);
    const bool finished = result.outcome == vostrel::ProgressionOutcome::Finished;
    if (table.classCount() == 0) {
        Lbl_Message->setText(kNoClassesText);
    } else if (result.outcome == vostrel::ProgressionOutcome::TooManyLevels) {
        Lbl_Message->setText(QString::fromUtf8(vostrel::kTooManyLevelsText));
    } else if (!finished) {
        Lbl_Message->setText(kNothingToShowText);
    }
    rows_ = std::move(result.rows);
    model_->setRows(finished ? static_cast<int>(rows_.size()) : 0);
    Grd_Levels->fitColumns();

    pages_->setCurrentWidget(finished ? static_cast<QWidget*>(Grd_Levels) : Lbl_Message);
    Cmd_CopyAll->setEnabled(finished);
    if (finished && !sizedForTable_) {
        // First shown on a message, the window was sized for the header line alone:
        // let the first table have the room it needs, once, without shrinking.
        if (placed()) {
            placeAgain();
        }
        sizedForTable_ = true;
    }
}

void LevelByLevelWindow::focusContents() {
    if (pages_->currentWidget() == Grd_Levels) {
        Grd_Levels->setFocus();
    }
}

QSize LevelByLevelWindow::aroundTable(int tableWidth) const {
    ensurePolished();
    const QHeaderView* header = Grd_Levels->horizontalHeader();
    const int tableHeight = 2 * Grd_Levels->frameWidth() + header->sizeHint().height() +
                            vostrel::kMaxCharacterLevel * Grd_Levels->lineHeight();
    const QMargins margins = layout()->contentsMargins();
    return {tableWidth + margins.left() + margins.right(),
            tableHeight + margins.top() + margins.bottom() + layout()->spacing() +
                Cmd_CopyAll->sizeHint().height()};
}

// Wide enough for every column in full and tall enough for twenty rows.
QSize LevelByLevelWindow::preferredSize() const {
    return aroundTable(Grd_Levels->fullWidth());
}

// Level, Classes and the numbers in full; the features may scroll.
int LevelByLevelWindow::narrowestWidth() const {
    return aroundTable(Grd_Levels->widthWithoutFill()).width();
}
