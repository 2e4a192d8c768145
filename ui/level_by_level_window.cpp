#include "level_by_level_window.h"

#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <memory>
#include <vector>

#include "build_text.h"
#include "level_by_level.h"

namespace {

const QString kTitle = QStringLiteral("Level by Level - Vostrel Progression Calculator");
const QString kNoClassesText =
    QStringLiteral("The class file holds no classes: there is no build to show.");

enum Column { Level, Classes, HitDie, SkillPoints, Bab, Fort, Ref, Will, Features };

// What the table shows, as it was when the build was taken.
struct ShownLevels {
    std::vector<vostrel::LevelRow> rows;
    QStringList classes;  // the Classes column, row by row
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

// A features cell may itself hold commas, so the two classes' cells are set apart
// by a semicolon.
QString featuresText(const vostrel::LevelRow& row) {
    QStringList cells;
    for (const std::string& cell : row.features) {
        cells.append(QString::fromStdString(cell));
    }
    return cells.join(QStringLiteral("; "));
}

// The bonuses as the report writes them: BAB bare, the saves with their plus sign.
std::vector<TableColumn> levelColumns(std::shared_ptr<const ShownLevels> shown) {
    const Qt::Alignment right = Qt::AlignRight;
    const auto at = [shown](int row) -> const vostrel::LevelRow& {
        return shown->rows[static_cast<std::size_t>(row)];
    };
    const auto save = [](int value) { return QStringLiteral("+%1").arg(value); };
    return {
        {.title = QStringLiteral("Level"),
         .alignment = right,
         .display = [at](int r) { return QString::number(at(r).level); }},
        {.title = QStringLiteral("Classes"),
         .display = [shown](int r) { return shown->classes[r]; }},
        {.title = QStringLiteral("Hit Die"),
         .alignment = right,
         .display = [at](int r) { return QStringLiteral("d%1").arg(at(r).hitDie); }},
        {.title = QStringLiteral("Skill Points"),
         .alignment = right,
         .display = [at](int r) { return QString::number(at(r).skillPoints); }},
        {.title = QStringLiteral("BAB"),
         .alignment = right,
         .display = [at](int r) { return QString::number(at(r).bab); }},
        {.title = QStringLiteral("Fort"),
         .alignment = right,
         .display = [at, save](int r) { return save(at(r).fort); }},
        {.title = QStringLiteral("Ref"),
         .alignment = right,
         .display = [at, save](int r) { return save(at(r).ref); }},
        {.title = QStringLiteral("Will"),
         .alignment = right,
         .display = [at, save](int r) { return save(at(r).will); }},
        // The features take what room is left; the tooltip has them whole.
        {.title = QStringLiteral("Features"),
         .display = [at](int r) { return featuresText(at(r)); },
         .toolTip = [at](int r) { return featuresText(at(r)); }},
    };
}

}  // namespace

LevelByLevelWindow::LevelByLevelWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("LevelByLevelWindow"), kTitle) {
    model_ = new TableModel(levelColumns(std::make_shared<const ShownLevels>()), this);
    Grd_Levels = new TableView(model_, this);
    Grd_Levels->setObjectName(QStringLiteral("Grd_Levels"));
    Grd_Levels->setAccessibleName(QStringLiteral("Progression level by level"));
    Grd_Levels->setFillColumn(Features);
    Cmd_CopyAll = makeCopyAllButton(*Grd_Levels);
    setParts(*Grd_Levels, {.messageInPlace = true, .buttons = {Cmd_CopyAll}});
}

void LevelByLevelWindow::showBuild(const vostrel::BuildSheet& sheet,
                                   const vostrel::ClassTable& table) {
    vostrel::LevelByLevelResult result = vostrel::levelByLevel(sheet, table);
    const bool finished = result.outcome == vostrel::ProgressionOutcome::Finished;
    auto shown = std::make_shared<ShownLevels>();
    if (finished) {
        shown->rows = std::move(result.rows);
        for (const vostrel::LevelRow& row : shown->rows) {
            shown->classes.append(classesText(row, table));
        }
    }
    const int count = static_cast<int>(shown->rows.size());
    model_->setRows(levelColumns(std::move(shown)), count);
    Grd_Levels->fitColumns();

    if (table.classCount() == 0) {
        showMessage(kNoClassesText);
    } else if (result.outcome == vostrel::ProgressionOutcome::TooManyLevels) {
        showMessage(QString::fromUtf8(vostrel::kTooManyLevelsText));
    } else if (!finished) {
        showMessage(QString::fromUtf8(vostrel::kNothingToCopyText));
    } else {
        showMessage({});
    }
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
