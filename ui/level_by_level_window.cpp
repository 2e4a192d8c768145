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
#include "level_table.h"

namespace {

const QString kTitle = QStringLiteral("Level by Level - Vostrel Progression Calculator");
const QString kNoClassesText =
    QStringLiteral("The class file holds no classes: there is no build to show.");
const QString kSelectALevelText =
    QStringLiteral("Select a level to see how its numbers came about.");
// Classes, the six numbers and the features, with a line to spare for wrapping.
constexpr int kHowLines = 9;

constexpr int kLevelColumn = 0;
constexpr int kFeaturesColumn = 8;

}  // namespace

LevelByLevelWindow::LevelByLevelWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("LevelByLevelWindow"), kTitle) {
    model_ = new TableModel(levelColumns(std::make_shared<const ShownLevels>()), this);
    levelsTable = new TableView(model_, this);
    levelsTable->setObjectName(QStringLiteral("levelsTable"));
    levelsTable->setAccessibleName(QStringLiteral("Progression level by level"));
    levelsTable->setFillColumn(kFeaturesColumn);

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
    const vostrel::ProgressionOutcome outcome = result.outcome;
    const bool finished = outcome == vostrel::ProgressionOutcome::Finished;
    std::shared_ptr<const ShownLevels> shown = shownLevels(std::move(result), table);
    howTexts_.clear();
    for (const vostrel::LevelExplanation& explanation : shown->explanations) {
        howTexts_.append(QString::fromStdString(explanation.row));
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
                model_->index(row, kLevelColumn),
                wasSelected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                            : QItemSelectionModel::NoUpdate);
        }
    }
    showHowOf(levelsTable->currentIndex());
    howPane_->setVisible(finished);

    if (table.classCount() == 0) {
        showMessage(kNoClassesText);
    } else if (outcome == vostrel::ProgressionOutcome::TooManyLevels) {
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
