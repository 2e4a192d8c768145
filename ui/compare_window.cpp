#include "compare_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "build_comparison.h"
#include "build_refusal.h"
#include "build_text.h"
#include "level_by_level.h"

namespace {

const QString kTitle = QStringLiteral("Compare Builds - Vostrel Progression Calculator");
const QString kCurrentName = QStringLiteral("Current build");
// Read by a screen reader as "black star"; copied text goes without it.
const QString kBestMark = QStringLiteral(" ") + QChar(0x2605);
const QString kNotReached = QStringLiteral("-");
// Sorts a build that stops below a level under every value.
constexpr int kUnreachedKey = INT_MIN;
constexpr int kNeverKey = INT_MAX;  // a feature a build never gains sorts last

enum View { Levels, Features };

using vostrel::ComparedCell;
using vostrel::ComparedValue;

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

// How a value stands: the best of the builds or not, against the current build.
QString standing(const ComparedCell& cell, bool current) {
    if (!cell.reached) {
        return QStringLiteral("not reached by this build");
    }
    QStringList parts;
    if (cell.best) {
        parts.append(QStringLiteral("the best of the builds"));
    }
    if (!current) {
        const int over = cell.overCurrent.value_or(0);
        if (!cell.overCurrent) {
            parts.append(QStringLiteral("the current build does not reach this level"));
        } else if (over > 0) {
            parts.append(QStringLiteral("+%1 over the current build").arg(over));
        } else if (over < 0) {
            parts.append(QStringLiteral("%1 under the current build").arg(-over));
        } else {
            parts.append(QStringLiteral("same as the current build"));
        }
    }
    return parts.join(QStringLiteral("; "));
}

}  // namespace

// What the window shows, as it was when the builds were taken.
struct CompareWindow::Shown {
    QStringList names;                                 // by build, the current one first
    std::vector<std::vector<vostrel::LevelRow>> rows;  // by build
    QStringList hitDice;                               // by build: the report's lines
    QStringList skillPoints;
    vostrel::BuildComparison comparison;
};

namespace {

struct ValueKind {
    ComparedValue value;
    const char* title;
    const char* sign;  // before the number
};
constexpr std::array<ValueKind, 6> kKinds{{{ComparedValue::Bab, "BAB", ""},
                                           {ComparedValue::Fort, "Fort", "+"},
                                           {ComparedValue::Ref, "Ref", "+"},
                                           {ComparedValue::Will, "Will", "+"},
                                           {ComparedValue::HitDie, "Hit Die", "d"},
                                           {ComparedValue::SkillPoints, "Skill Points", ""}}};

// A column of one kind of value, each cell read through `cellAt` (row -> cell);
// `current` tells the rows whose cell is the current build's. Copied cells go
// without the star.
template <typename CellAt, typename Current>
TableColumn valueColumn(const QString& title, const ValueKind& kind, CellAt cellAt, Current current,
                        bool starred = true) {
    return {.title = title,
            .alignment = Qt::AlignRight,
            .display =
                [cellAt, kind, starred](int r) {
                    const ComparedCell& cell = cellAt(r);
                    if (!cell.reached) {
                        return kNotReached;
                    }
                    return QString::fromLatin1(kind.sign) + QString::number(cell.value) +
                           (starred && cell.best ? kBestMark : QString());
                },
            .toolTip = [cellAt, current](int r) { return standing(cellAt(r), current(r)); },
            .sortKey =
                [cellAt](int r) {
                    return QVariant(cellAt(r).reached ? cellAt(r).value : kUnreachedKey);
                },
            .strong = [cellAt](int r) { return cellAt(r).best; },
            .toolTipDescribes = true};
}

// A total the report writes as text (`texts`, by build), starred as the best of
// `kind`, with the number it was compared by in the tooltip.
template <typename CellAt>
TableColumn totalTextColumn(const QString& title, const QStringList& texts, CellAt cellAt,
                            const QString& compared) {
    return {.title = title,
            .display = [texts, cellAt](
                           int r) { return texts[r] + (cellAt(r).best ? kBestMark : QString()); },
            .toolTip =
                [cellAt, compared](int r) {
                    const ComparedCell& cell = cellAt(r);
                    return cell.reached ? compared.arg(cell.value) + QStringLiteral("; ") +
                                              standing(cell, r == 0)
                                        : QString();
                },
            .strong = [cellAt](int r) { return cellAt(r).best; },
            .toolTipDescribes = true};
}

}  // namespace

CompareWindow::CompareWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("CompareWindow"), kTitle),
      shown_(std::make_shared<const Shown>()) {
    builds_ = new TableModel({}, this);
    buildsTable = new TableView(builds_, this);
    buildsTable->setObjectName(QStringLiteral("buildsTable"));
    buildsTable->setAccessibleName(QStringLiteral("Builds"));
    buildsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    buildsTable->setFillColumn(7);  // the skill points formula

    const auto button = [this](const QString& text, const QString& name,
                               const QString& description) {
        auto* made = new QPushButton(text, this);
        made->setObjectName(name);
        made->setAccessibleName(text);
        made->setAccessibleDescription(description);
        made->setAutoDefault(true);
        return made;
    };
    useButton = button(QStringLiteral("Use"), QStringLiteral("useButton"),
                       QStringLiteral("Puts the selected build into the main window and runs "
                                      "Go; the build it replaces is kept first"));
    renameButton = button(QStringLiteral("Rename..."), QStringLiteral("renameButton"),
                          QStringLiteral("Gives the selected build another name"));
    removeButton = button(QStringLiteral("Remove"), QStringLiteral("removeButton"),
                          QStringLiteral("Lets the selected build go"));
    keepButton = button(QStringLiteral("Keep Build"), QStringLiteral("keepButton"),
                        QStringLiteral("Keeps the build of the main window"));
    addButton = button(QStringLiteral("Add From Clipboard"), QStringLiteral("addButton"),
                       QStringLiteral("Keeps a copied build, leaving the main window as it is"));
    auto* buildButtons = new QHBoxLayout;
    for (QPushButton* each : {useButton, renameButton, removeButton}) {
        buildButtons->addWidget(each);
    }
    buildButtons->addStretch();
    buildButtons->addWidget(keepButton);
    buildButtons->addWidget(addButton);

    const auto checkBox = [this](const QString& text, const QString& name) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(name);
        connect(box, &QCheckBox::toggled, this, &CompareWindow::showView);
        return box;
    };
    hitDieBox = checkBox(QStringLiteral("Hit Die"), QStringLiteral("hitDieBox"));
    skillPointsBox = checkBox(QStringLiteral("Skill Points"), QStringLiteral("skillPointsBox"));
    featuresBox = checkBox(QStringLiteral("Features gained"), QStringLiteral("featuresBox"));
    viewTabs = new QTabBar(this);
    viewTabs->setObjectName(QStringLiteral("viewTabs"));
    viewTabs->setAccessibleName(QStringLiteral("View"));
    viewTabs->addTab(QStringLiteral("Levels"));
    viewTabs->addTab(QStringLiteral("Features"));
    viewTabs->setDrawBase(false);
    auto* viewRow = new QHBoxLayout;
    viewRow->addWidget(viewTabs);
    viewRow->addSpacing(12);
    for (QCheckBox* box : {hitDieBox, skillPointsBox, featuresBox}) {
        viewRow->addWidget(box);
    }
    viewRow->addStretch();

    auto* top = new QVBoxLayout;
    top->addWidget(buildsTable);
    top->addLayout(buildButtons);
    top->addLayout(viewRow);

    compared_ = new TableModel({}, this);
    compareTable = new TableView(compared_, this);
    compareTable->setObjectName(QStringLiteral("compareTable"));
    compareTable->setAccessibleName(QStringLiteral("Builds level by level"));
    copyAllButton = makeCopyAllButton(*compareTable);
    setParts(*compareTable, {.controls = top, .buttons = {copyAllButton}});
    compareTable->setSortable(0);

    const auto kept = [this](auto signal) {
        return [this, signal] {
            if (selectedKept() >= 0) {
                emit(this->*signal)(selectedKept());
            }
        };
    };
    connect(useButton, &QPushButton::clicked, this, kept(&CompareWindow::useRequested));
    connect(renameButton, &QPushButton::clicked, this, kept(&CompareWindow::renameRequested));
    connect(removeButton, &QPushButton::clicked, this, kept(&CompareWindow::removeRequested));
    connect(keepButton, &QPushButton::clicked, this, &CompareWindow::keepRequested);
    connect(addButton, &QPushButton::clicked, this, &CompareWindow::addFromClipboardRequested);
    connect(buildsTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CompareWindow::enableBuildButtons);
    connect(viewTabs, &QTabBar::currentChanged, this, [this](int view) {
        // Each view opens in its own order: by level, or by first level.
        compareTable->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        for (QCheckBox* box : {hitDieBox, skillPointsBox, featuresBox}) {
            box->setEnabled(view == Levels);
        }
        showView();
    });
}

void CompareWindow::showBuilds(const vostrel::BuildSheet& current, const vostrel::KeptBuilds& kept,
                               const vostrel::ClassTable& table) {
    auto shown = std::make_shared<Shown>();
    std::vector<vostrel::BuildSheet> sheets{current};
    shown->names.append(kCurrentName);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        sheets.push_back(kept[i].rows);
        shown->names.append(QString::fromStdString(kept[i].name));
    }
    for (const vostrel::BuildSheet& sheet : sheets) {
        vostrel::LevelByLevelResult levels = vostrel::levelByLevel(sheet, table);
        shown->rows.push_back(std::move(levels.rows));
        switch (levels.outcome) {
            case vostrel::ProgressionOutcome::TooManyLevels:
                shown->hitDice.append(QString::fromUtf8(vostrel::kTooManyLevelsText));
                shown->skillPoints.append(QString());
                break;
            case vostrel::ProgressionOutcome::NothingToShow:
                shown->hitDice.append(QString::fromStdString(
                    vostrel::emptyBuildText(vostrel::EmptyBuildUse::NoRows)));
                shown->skillPoints.append(QString());
                break;
            case vostrel::ProgressionOutcome::Finished: {
                const vostrel::ProgressionResult result = vostrel::computeProgression(sheet, table);
                const QStringList lines =
                    QString::fromStdString(vostrel::buildReportText(result.state, table))
                        .split(QStringLiteral("\r\n"));
                shown->hitDice.append(lines.value(0).section(QLatin1Char('='), 1));
                shown->skillPoints.append(lines.value(1).section(QLatin1Char(':'), 1));
                break;
            }
        }
    }
    shown->comparison = vostrel::compareBuilds(shown->rows);
    shown_ = shown;

    const auto total = [shown](ComparedValue value) {
        return [shown, value](int r) -> const ComparedCell& {
            return shown->comparison.totals[at(r)][static_cast<std::size_t>(value)];
        };
    };
    const auto isCurrent = [](int r) { return r == 0; };
    std::vector<TableColumn> columns{
        {.title = QStringLiteral("Build"), .display = [shown](int r) { return shown->names[r]; }},
        totalTextColumn(QStringLiteral("Hit Dice"), shown->hitDice, total(ComparedValue::HitDie),
                        QStringLiteral("%1 hit points with every die at its highest"))};
    for (std::size_t k = 0; k < 4; ++k) {
        columns.push_back(valueColumn(QString::fromLatin1(kKinds[k].title), kKinds[k],
                                      total(kKinds[k].value), isCurrent));
    }
    // The formula last, where it may take the room it needs.
    columns.push_back(totalTextColumn(QStringLiteral("Skill Points"), shown->skillPoints,
                                      total(ComparedValue::SkillPoints),
                                      QStringLiteral("%1 skill points with an int modifier of 0")));
    const int wasSelected = buildsTable->currentIndex().row();
    const int count = static_cast<int>(shown->names.size());
    builds_->setRows(std::move(columns), count);
    buildsTable->fitColumns();
    buildsTable->setFixedHeight(buildsTable->heightForRows(
        std::clamp(count, 3, static_cast<int>(vostrel::kMaxKeptBuilds) + 1)));
    buildsTable->selectionModel()->setCurrentIndex(
        builds_->index(std::clamp(wasSelected, 0, count - 1), 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    enableBuildButtons();
    showView();
}

void CompareWindow::showView() {
    const std::shared_ptr<const Shown> shown = shown_;
    const int buildCount = static_cast<int>(shown->names.size());
    std::vector<TableColumn> columns;
    std::vector<TableColumn> copied;
    int rowCount = 0;
    if (viewTabs->currentIndex() == Levels) {
        rowCount = static_cast<int>(shown->comparison.levels.size());
        const auto level = [shown](int r) -> const vostrel::ComparedLevel& {
            return shown->comparison.levels[at(r)];
        };
        columns.push_back(
            numberColumn(QStringLiteral("Level"), [level](int r) { return int{level(r).level}; }));
        copied.push_back(columns.back());
        std::vector<std::size_t> kinds{0, 1, 2, 3};
        if (hitDieBox->isChecked()) {
            kinds.push_back(4);
        }
        if (skillPointsBox->isChecked()) {
            kinds.push_back(5);
        }
        for (int b = 0; b < buildCount; ++b) {
            for (const std::size_t k : kinds) {
                const ValueKind kind = kKinds[k];
                const auto cell = [level, b, kind](int r) -> const ComparedCell& {
                    return level(r).builds[at(b)][static_cast<std::size_t>(kind.value)];
                };
                const QString title =
                    shown->names[b] + QLatin1Char(' ') + QString::fromLatin1(kind.title);
                const auto current = [b](int) { return b == 0; };
                columns.push_back(valueColumn(title, kind, cell, current));
                copied.push_back(valueColumn(title, kind, cell, current, false));
            }
            if (featuresBox->isChecked()) {
                const auto features = [shown, b](int r) {
                    const std::vector<vostrel::LevelRow>& rows = shown->rows[at(b)];
                    return at(r) < rows.size()
                               ? QString::fromStdString(vostrel::featuresText(rows[at(r)]))
                               : QString();
                };
                columns.push_back({.title = shown->names[b] + QStringLiteral(" Features gained"),
                                   .display = features,
                                   .toolTip = features});
                copied.push_back(columns.back());
            }
        }
        compareTable->setFillColumn(-1);
    } else {
        rowCount = static_cast<int>(shown->comparison.features.size());
        const auto reach = [shown](int r) -> const vostrel::FeatureReach& {
            return shown->comparison.features[at(r)];
        };
        const auto levelText = [](int level) {
            return level > 0 ? QString::number(level) : kNotReached;
        };
        // "Evasion: current build 7, Build 1 9, Build 2 -"
        const auto sentence = [shown, reach, levelText](int r) {
            QStringList parts;
            for (int b = 0; b < shown->names.size(); ++b) {
                parts.append((b == 0 ? kCurrentName.toLower() : shown->names[b]) +
                             QLatin1Char(' ') + levelText(reach(r).levels[at(b)]));
            }
            return QString::fromStdString(reach(r).feature) + QStringLiteral(": ") +
                   parts.join(QStringLiteral(", "));
        };
        columns.push_back(numberColumn(QStringLiteral("First Level"),
                                       [reach](int r) { return int{reach(r).firstLevel}; }));
        columns.push_back(
            {.title = QStringLiteral("Feature"),
             .display = [reach](int r) { return QString::fromStdString(reach(r).feature); },
             .toolTip = sentence,
             .toolTipDescribes = true});
        for (int b = 0; b < buildCount; ++b) {
            columns.push_back({.title = shown->names[b],
                               .alignment = Qt::AlignRight,
                               .display = [reach, levelText,
                                           b](int r) { return levelText(reach(r).levels[at(b)]); },
                               .sortKey =
                                   [reach, b](int r) {
                                       const int level = reach(r).levels[at(b)];
                                       return QVariant(level > 0 ? level : kNeverKey);
                                   }});
        }
        compareTable->setFillColumn(1);
    }
    compared_->setRows(std::move(columns), rowCount, std::move(copied));
    compareTable->sortAgain();
    compareTable->fitColumns();
    copyAllButton->setEnabled(rowCount > 0);
}

int CompareWindow::selectedKept() const {
    const QModelIndex current = buildsTable->currentIndex();
    return current.isValid() ? current.row() - 1 : -1;
}

void CompareWindow::enableBuildButtons() {
    const bool kept = selectedKept() >= 0;
    for (QPushButton* each : {useButton, renameButton, removeButton}) {
        each->setEnabled(kept);
    }
}

QSize CompareWindow::aroundTables(int tablesWidth) const {
    ensurePolished();
    const int tableHeight = compareTable->heightForRows(vostrel::kMaxCharacterLevel);
    const QMargins margins = layout()->contentsMargins();
    const int controls = buildsTable->height() + useButton->sizeHint().height() +
                         viewTabs->sizeHint().height() + 2 * layout()->spacing();
    return {tablesWidth + margins.left() + margins.right(),
            controls + tableHeight + margins.top() + margins.bottom() + 2 * layout()->spacing() +
                copyAllButton->sizeHint().height()};
}

QSize CompareWindow::preferredSize() const {
    return aroundTables(std::max(buildsTable->fullWidth(), compareTable->fullWidth()));
}

int CompareWindow::narrowestWidth() const {
    return aroundTables(buildsTable->widthWithoutFill()).width();
}
