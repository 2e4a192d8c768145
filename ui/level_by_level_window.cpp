#include "level_by_level_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <vector>

#include "build_text.h"
#include "level_by_level.h"
#include "level_explanation.h"

namespace {

const QString kTitle = QStringLiteral("Level by Level - Vostrel Progression Calculator");
const QString kNoClassesText =
    QStringLiteral("The class file holds no classes: there is no build to show.");
const QString kSelectALevelText =
    QStringLiteral("Select a level to see how its numbers came about.");
// Classes, the six numbers and the features, with a line to spare for wrapping.
constexpr int kHowLines = 9;

enum Column { Level, Classes, HitDie, SkillPoints, Bab, Fort, Ref, Will, Features };

// What the table shows, as it was when the build was taken.
struct ShownLevels {
    std::vector<vostrel::LevelRow> rows;
    QStringList classes;                                  // the Classes column, row by row
    std::vector<vostrel::LevelExplanation> explanations;  // row by row
};

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

// The bonuses as the report writes them: BAB bare, the saves with their plus sign.
std::vector<TableColumn> levelColumns(std::shared_ptr<const ShownLevels> shown) {
    const auto at = [shown](int row) -> const vostrel::LevelRow& {
        return shown->rows[static_cast<std::size_t>(row)];
    };
    // A number's cell tells how it came about, to the eye and to a screen reader.
    const auto number = [&at, &shown](const QString& title, vostrel::LevelValue which, auto value,
                                      const QString& sign = {}) {
        TableColumn column = numberColumn(
            title, [at, value](int r) { return int{value(at(r))}; }, sign);
        column.toolTip = [shown, which](int r) {
            return QString::fromStdString(
                shown->explanations[static_cast<std::size_t>(r)].of(which));
        };
        column.toolTipDescribes = true;
        return column;
    };
    using vostrel::LevelValue;
    using Row = vostrel::LevelRow;
    const QString plus = QStringLiteral("+");
    // "4 x 4" at level 1, which the report counts four times: the column then adds
    // up to what the report's multipliers say.
    TableColumn skills = number(QStringLiteral("Skill Points"), LevelValue::SkillPoints,
                                [](const Row& l) { return l.skillPoints; });
    skills.display = [at](int r) {
        const Row& level = at(r);
        const QString points = QString::number(level.skillPoints);
        return level.skillTimes == 1 ? points
                                     : QStringLiteral("%1 x %2").arg(points).arg(level.skillTimes);
    };
    return {
        numberColumn(QStringLiteral("Level"), [at](int r) { return int{at(r).level}; }),
        {.title = QStringLiteral("Classes"),
         .display = [shown](int r) { return shown->classes[r]; }},
        number(
            QStringLiteral("Hit Die"), LevelValue::HitDie, [](const Row& l) { return l.hitDie; },
            QStringLiteral("d")),
        skills,
        number(QStringLiteral("BAB"), LevelValue::Bab, [](const Row& l) { return l.bab; }),
        number(
            QStringLiteral("Fort"), LevelValue::Fort, [](const Row& l) { return l.fort; }, plus),
        number(
            QStringLiteral("Ref"), LevelValue::Ref, [](const Row& l) { return l.ref; }, plus),
        number(
            QStringLiteral("Will"), LevelValue::Will, [](const Row& l) { return l.will; }, plus),
        // The features take what room is left; the tooltip has them whole.
        {.title = QStringLiteral("Features"),
         .display = [at](int r) { return QString::fromStdString(vostrel::featuresText(at(r))); },
         .toolTip = [at](int r) { return QString::fromStdString(vostrel::featuresText(at(r))); }},
    };
}

}  // namespace

LevelByLevelWindow::LevelByLevelWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("LevelByLevelWindow"), kTitle) {
    model_ = new TableModel(levelColumns(std::make_shared<const ShownLevels>()), this);
    levelsTable = new TableView(model_, this);
    levelsTable->setObjectName(QStringLiteral("levelsTable"));
    levelsTable->setAccessibleName(QStringLiteral("Progression level by level"));
    levelsTable->setFillColumn(Features);

    // Read-only but selectable from the keyboard too, so the words can be copied.
    howLabel = new QLabel(QStringLiteral("How"), this);
    howBox = new QPlainTextEdit(this);
    howBox->setObjectName(QStringLiteral("howBox"));
    howBox->setAccessibleName(QStringLiteral("How"));
    howBox->setReadOnly(true);
    howBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    howBox->setTabChangesFocus(true);
    howBox->setFocusPolicy(Qt::StrongFocus);
    howLabel->setBuddy(howBox);
    howPane_ = new QWidget(this);
    auto* howLayout = new QVBoxLayout(howPane_);
    howLayout->setContentsMargins(0, 0, 0, 0);
    howLayout->addWidget(howLabel);
    howLayout->addWidget(howBox);

    // Made after the pane, so that Tab goes from the table to the pane to the button.
    copyAllButton = makeCopyAllButton(*levelsTable);
    setParts(*levelsTable, {.messageInPlace = true, .pane = howPane_, .buttons = {copyAllButton}});
    connect(levelsTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &LevelByLevelWindow::showHowOf);
}

void LevelByLevelWindow::showBuild(const vostrel::BuildSheet& sheet,
                                   const vostrel::ClassTable& table) {
    vostrel::LevelByLevelResult result = vostrel::levelByLevel(sheet, table);
    const bool finished = result.outcome == vostrel::ProgressionOutcome::Finished;
    auto shown = std::make_shared<ShownLevels>();
    howTexts_.clear();
    if (finished) {
        shown->rows = std::move(result.rows);
        for (std::size_t i = 0; i < shown->rows.size(); ++i) {
            shown->classes.append(classesText(shown->rows[i], table));
            shown->explanations.push_back(
                vostrel::explainLevel(shown->rows[i], result.steps[i], table));
            howTexts_.append(QString::fromStdString(shown->explanations.back().row));
        }
    }
    const int count = static_cast<int>(shown->rows.size());
    // The level shown current, by its number whatever the table's order; -1 for none.
    const QModelIndex was = levelsTable->currentIndex();
    const int wasLevel = was.isValid() ? model_->givenRow(was.row()) : -1;
    const bool wasSelected =
        was.isValid() && levelsTable->selectionModel()->isRowSelected(was.row());
    model_->setRows(levelColumns(std::move(shown)), count);
    levelsTable->sortAgain();
    levelsTable->fitColumns();
    // The same level stays current, and selected if it was, while it is there to keep
    // the pane on it; else the last level there is.
    for (int row = 0; row < count; ++row) {
        if (model_->givenRow(row) == std::clamp(wasLevel, 0, count - 1)) {
            levelsTable->selectionModel()->setCurrentIndex(
                model_->index(row, Level),
                wasSelected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                            : QItemSelectionModel::NoUpdate);
        }
    }
    showHowOf(levelsTable->currentIndex());
    howPane_->setVisible(finished);

    if (table.classCount() == 0) {
        showMessage(kNoClassesText);
    } else if (result.outcome == vostrel::ProgressionOutcome::TooManyLevels) {
        showMessage(QString::fromUtf8(vostrel::kTooManyLevelsText));
    } else if (!finished) {
        showMessage(
            QString::fromStdString(vostrel::emptyBuildText(vostrel::EmptyBuildUse::NoRows)));
    } else {
        showMessage({});
    }
    copyAllButton->setEnabled(finished);
    if (finished && !sizedForTable_) {
        // First shown on a message, the window was sized for the header line alone:
        // let the first table have the room it needs, once, without shrinking.
        if (placed()) {
            placeAgain();
        }
        sizedForTable_ = true;
    }
}

void LevelByLevelWindow::showHowOf(const QModelIndex& current) {
    const int row = current.isValid() ? model_->givenRow(current.row()) : -1;
    howBox->setPlainText(row >= 0 && row < howTexts_.size() ? howTexts_[row] : kSelectALevelText);
}

QSize LevelByLevelWindow::aroundTable(int tableWidth) const {
    ensurePolished();
    const int tableHeight = levelsTable->heightForRows(vostrel::kMaxCharacterLevel);
    int paneHeight = 0;
    if (!howPane_->isHidden()) {
        paneHeight = howLabel->sizeHint().height() + howPane_->layout()->spacing() +
                     2 * howBox->frameWidth() + kHowLines * howBox->fontMetrics().lineSpacing() +
                     2 * static_cast<int>(howBox->document()->documentMargin()) +
                     style()->pixelMetric(QStyle::PM_SplitterWidth);
    }
    const QMargins margins = layout()->contentsMargins();
    return {tableWidth + margins.left() + margins.right(),
            tableHeight + paneHeight + margins.top() + margins.bottom() + layout()->spacing() +
                copyAllButton->sizeHint().height()};
}

// Wide enough for every column in full and tall enough for twenty rows.
QSize LevelByLevelWindow::preferredSize() const {
    return aroundTable(levelsTable->fullWidth());
}

// Level, Classes and the numbers in full; the features may scroll.
int LevelByLevelWindow::narrowestWidth() const {
    return aroundTable(levelsTable->widthWithoutFill()).width();
}
