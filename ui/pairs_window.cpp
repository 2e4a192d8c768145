#include "pairs_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "carry_over.h"
#include "class_list.h"

namespace {

const QString kTitle = QStringLiteral("Pairs - Vostrel Progression Calculator");
const QString kAnyClass = QStringLiteral("Any class");

enum Column {
    Number,
    First,
    Second,
    HitDie,
    SkillPoints,
    Bab,
    Fort,
    Ref,
    Will,
    GoodSaves,
    Features
};

// The main window's class names, "Any class" in place of "<None>".
class AnyClassNames final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        if (index.row() == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
            return kAnyClass;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Rows the window first opens tall enough for.
constexpr int kRowsShown = 16;

QString fewClassesText(int count) {
    return count == 0 ? QStringLiteral("The class file holds no classes: a pair needs two.")
                      : QStringLiteral("The class file holds one class: a pair needs two.");
}

}  // namespace

// The rows as they were computed, with the class names they show.
struct PairsWindow::Shown {
    std::vector<vostrel::PairRow> rows;
    QStringList names;  // by slot; slot 0 unused
};

std::vector<TableColumn> PairsWindow::columns(const std::shared_ptr<const Shown>& shown) {
    const Qt::Alignment right = Qt::AlignRight;
    const auto at = [shown](int row) -> const vostrel::PairRow& {
        return shown->rows[static_cast<std::size_t>(row)];
    };
    const auto number = [&at](const QString& title, auto value, const QString& sign = {}) {
        return numberColumn(
            title, [at, value](int r) { return int{value(at(r))}; }, sign);
    };
    const auto name = [&at, &shown](const QString& title, std::int16_t vostrel::PairRow::*slot) {
        return TableColumn{.title = title, .display = [at, shown, slot](int r) {
                               return shown->names[at(r).*slot];
                           }};
    };
    const auto features = [at](int r) { return QString::fromStdString(at(r).features); };
    TableColumn skillPoints = number(QStringLiteral("Skill Points"),
                                     [](const vostrel::PairRow& p) { return p.skillPoints; });
    skillPoints.toolTip = [at](int r) { return QString::fromStdString(at(r).skillText); };
    using Row = vostrel::PairRow;
    const QString plus = QStringLiteral("+");
    return {
        number(QStringLiteral("#"), [](const Row& p) { return p.number; }),
        name(QStringLiteral("First"), &Row::first),
        name(QStringLiteral("Second"), &Row::second),
        {.title = QStringLiteral("Hit Die"),
         .alignment = right,
         .display = [at](int r) { return QString::fromStdString(at(r).hitDice); },
         .sortKey = [at](int r) { return QVariant(int{at(r).hitDie}); }},
        skillPoints,
        number(QStringLiteral("BAB"), [](const Row& p) { return p.bab; }),
        number(
            QStringLiteral("Fort"), [](const Row& p) { return p.fort; }, plus),
        number(
            QStringLiteral("Ref"), [](const Row& p) { return p.ref; }, plus),
        number(
            QStringLiteral("Will"), [](const Row& p) { return p.will; }, plus),
        number(QStringLiteral("Good Saves"), [](const Row& p) { return p.goodSaves; }),
        // The features take what room is left; the tooltip has them whole.
        {.title = QStringLiteral("Features"), .display = features, .toolTip = features},
    };
}

PairsWindow::PairsWindow(QWidget& mainWindow, const vostrel::ClassTable& table,
                         QAbstractItemModel& classNames)
    : TableWindow(mainWindow, QStringLiteral("PairsWindow"), kTitle),
      table_(std::make_shared<const vostrel::ClassTable>()),
      shown_(std::make_shared<const Shown>()) {
    auto* levelLabel = new QLabel(QStringLiteral("Level:"), this);
    levelBox = new QSpinBox(this);
    levelBox->setObjectName(QStringLiteral("levelBox"));
    levelBox->setAccessibleName(QStringLiteral("Character level"));
    levelBox->setRange(1, vostrel::kMaxCharacterLevel);
    levelBox->setValue(vostrel::kMaxCharacterLevel);
    levelLabel->setBuddy(levelBox);
    auto* classLabel = new QLabel(QStringLiteral("With class:"), this);
    auto* names = new AnyClassNames(this);
    names->setSourceModel(&classNames);
    withClassList = new ClassList(this, names);
    withClassList->setObjectName(QStringLiteral("withClassList"));
    withClassList->setAccessibleName(QStringLiteral("With class"));
    withClassList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(names, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        keptWithClass_ = std::max(withClassList->currentIndex(), 0);
        namesReplaced_ = true;
    });
    classLabel->setBuddy(withClassList);

    pairs_ = new TableModel(columns(shown_), this);
    pairsTable = new TableView(pairs_, this);
    pairsTable->setObjectName(QStringLiteral("pairsTable"));
    pairsTable->setAccessibleName(QStringLiteral("Pairs of classes"));
    pairsTable->setFillColumn(Features);
    // Columns fit the rows in view and a sample of the others: measuring all of
    // 780 pairs' texts at each new level would be most of the wait.
    pairsTable->horizontalHeader()->setResizeContentsPrecision(kRowsShown * 4);
    auto* usePair = new QAction(QStringLiteral("Use Pair"), pairsTable);
    usePair->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    usePair->setShortcutContext(Qt::WidgetShortcut);
    pairsTable->addAction(usePair);
    pairsTable->setSortable(Number);

    usePairButton = new QPushButton(QStringLiteral("Use Pair"), this);
    usePairButton->setObjectName(QStringLiteral("usePairButton"));
    usePairButton->setAccessibleName(QStringLiteral("Use Pair"));
    usePairButton->setAccessibleDescription(
        QStringLiteral("Puts the selected pair into the row of the build where the report "
                       "stops, and runs Go"));
    usePairButton->setAutoDefault(true);
    copyAllButton = makeCopyAllButton(*pairsTable);

    auto* top = new QHBoxLayout;
    top->addWidget(levelLabel);
    top->addWidget(levelBox);
    top->addSpacing(12);
    top->addWidget(classLabel);
    top->addWidget(withClassList);
    top->addStretch();
    setParts(*pairsTable,
             {.controls = top, .messageInPlace = true, .buttons = {usePairButton, copyAllButton}});

    const auto useCurrent = [this] { usePairAt(pairsTable->currentIndex()); };
    connect(usePair, &QAction::triggered, this, useCurrent);
    connect(usePairButton, &QPushButton::clicked, this, useCurrent);
    connect(pairsTable, &QAbstractItemView::doubleClicked, this, &PairsWindow::usePairAt);
    connect(levelBox, &QSpinBox::valueChanged, this, &PairsWindow::showRows);
    connect(withClassList, &QComboBox::currentIndexChanged, this, &PairsWindow::showRows);

    showTable(table);
}

void PairsWindow::showTable(const vostrel::ClassTable& table) {
    const int withClass = vostrel::carriedSlot(keptWithClass_, *table_, table);
    table_ = std::make_shared<const vostrel::ClassTable>(table);
    const bool pairs = table.classCount() >= 2;
    showMessage(pairs ? QString() : fewClassesText(table.classCount()));
    for (QWidget* control :
         std::initializer_list<QWidget*>{levelBox, withClassList, usePairButton, copyAllButton}) {
        control->setEnabled(pairs);
    }
    namesReplaced_ = true;
    withClassList->choose(std::max(withClass, 0));
    namesReplaced_ = false;
    showRows();
}

void PairsWindow::showRows() {
    if (namesReplaced_) {
        return;
    }
    // The selected pair stays selected when it is still shown.
    const QModelIndex current = pairsTable->currentIndex();
    const int kept =
        current.isValid()
            ? shown_->rows[static_cast<std::size_t>(pairs_->givenRow(current.row()))].number
            : 0;

    auto shown = std::make_shared<Shown>();
    for (int slot = 0; slot < withClassList->count(); ++slot) {
        shown->names.append(withClassList->itemText(slot));
    }
    const int withClass = std::max(withClassList->currentIndex(), 0);
    shown->rows =
        vostrel::pairRows(*table_, levelBox->value(), static_cast<std::int16_t>(withClass));
    shown_ = shown;
    pairs_->setRows(columns(shown_), static_cast<int>(shown_->rows.size()));
    pairsTable->sortAgain();
    pairsTable->fitColumns();

    int row = 0;
    for (int r = 0; r < pairs_->rowCount(); ++r) {
        if (shown_->rows[static_cast<std::size_t>(pairs_->givenRow(r))].number == kept) {
            row = r;
            break;
        }
    }
    if (pairs_->rowCount() > 0) {
        pairsTable->setCurrentIndex(pairs_->index(row, Number));
    }
}

void PairsWindow::usePairAt(const QModelIndex& index) {
    if (!index.isValid() || showsMessage()) {
        return;
    }
    const vostrel::PairRow& pair =
        shown_->rows[static_cast<std::size_t>(pairs_->givenRow(index.row()))];
    emit pairChosen(pair.first, pair.second, levelBox->value());
}

QSize PairsWindow::aroundTable(int tableWidth) const {
    ensurePolished();
    const int tableHeight =
        pairsTable->heightForRows(std::clamp(pairs_->rowCount(), 1, kRowsShown));
    const QMargins margins = layout()->contentsMargins();
    const int controls =
        std::max(levelBox->sizeHint().height(), withClassList->sizeHint().height());
    return {tableWidth + margins.left() + margins.right(),
            tableHeight + margins.top() + margins.bottom() + 2 * layout()->spacing() + controls +
                usePairButton->sizeHint().height()};
}

// Every column in full, and room for a good part of the pairs.
// The level and class the pairs are shown for, as the controls above them say.
QStringList PairsWindow::printedContext() const {
    return {QStringLiteral("Level: %1").arg(levelBox->value()),
            QStringLiteral("With class: %1").arg(withClassList->currentText())};
}

QSize PairsWindow::preferredSize() const {
    return aroundTable(pairsTable->fullWidth());
}

// The names and numbers in full; the features may scroll.
int PairsWindow::narrowestWidth() const {
    return aroundTable(pairsTable->widthWithoutFill()).width();
}
