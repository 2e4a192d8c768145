#include "pairs_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

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
        return TableColumn{
            .title = title,
            .alignment = Qt::AlignRight,
            .display = [at, value, sign](int r) { return sign + QString::number(value(at(r))); },
            .sortKey = [at, value](int r) { return QVariant(int{value(at(r))}); }};
    };
    const auto name = [&at, &shown](const QString& title, std::int16_t vostrel::PairRow::*slot) {
        return TableColumn{.title = title, .display = [at, shown, slot](int r) {
                               return shown->names[at(r).*slot];
                           }};
    };
    const auto features = [at](int r) { return QString::fromStdString(at(r).features); };
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
        {.title = QStringLiteral("Skill Points"),
         .alignment = right,
         .display = [at](int r) { return QString::number(at(r).skillPoints); },
         .toolTip = [at](int r) { return QString::fromStdString(at(r).skillText); },
         .sortKey = [at](int r) { return QVariant(int{at(r).skillPoints}); }},
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

PairsWindow::PairsWindow(QWidget& mainWindow, const vostrel::ClassTable& table)
    : TableWindow(mainWindow, QStringLiteral("PairsWindow"), kTitle),
      table_(std::make_shared<const vostrel::ClassTable>(table)),
      shown_(std::make_shared<const Shown>()) {
    auto* levelLabel = new QLabel(QStringLiteral("Level:"), this);
    Spn_Level = new QSpinBox(this);
    Spn_Level->setObjectName(QStringLiteral("Spn_Level"));
    Spn_Level->setAccessibleName(QStringLiteral("Character level"));
    Spn_Level->setRange(1, vostrel::kMaxCharacterLevel);
    Spn_Level->setValue(vostrel::kMaxCharacterLevel);
    levelLabel->setBuddy(Spn_Level);
    auto* classLabel = new QLabel(QStringLiteral("With class:"), this);
    Cbo_WithClass = new ClassList(this);
    Cbo_WithClass->setObjectName(QStringLiteral("Cbo_WithClass"));
    Cbo_WithClass->setAccessibleName(QStringLiteral("With class"));
    Cbo_WithClass->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QStringList items{kAnyClass};
    for (const std::string& name : table.classNames()) {
        items.append(QString::fromStdString(name));
    }
    Cbo_WithClass->addItems(items);
    classLabel->setBuddy(Cbo_WithClass);

    pairs_ = new TableModel(columns(shown_), this);
    Grd_Pairs = new TableView(pairs_, this);
    Grd_Pairs->setObjectName(QStringLiteral("Grd_Pairs"));
    Grd_Pairs->setAccessibleName(QStringLiteral("Pairs of classes"));
    Grd_Pairs->setFillColumn(Features);
    // Columns fit the rows in view and a sample of the others: measuring all of
    // 780 pairs' texts at each new level would be most of the wait.
    Grd_Pairs->horizontalHeader()->setResizeContentsPrecision(kRowsShown * 4);
    auto* usePair = new QAction(QStringLiteral("Use Pair"), Grd_Pairs);
    usePair->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    usePair->setShortcutContext(Qt::WidgetShortcut);
    Grd_Pairs->addAction(usePair);
    Grd_Pairs->setSortable(Number);

    Cmd_UsePair = new QPushButton(QStringLiteral("Use Pair"), this);
    Cmd_UsePair->setObjectName(QStringLiteral("Cmd_UsePair"));
    Cmd_UsePair->setAccessibleName(QStringLiteral("Use Pair"));
    Cmd_UsePair->setAccessibleDescription(
        QStringLiteral("Puts the selected pair into the first row of the build without a "
                       "class, and runs Go"));
    Cmd_UsePair->setAutoDefault(true);
    Cmd_CopyAll = makeCopyAllButton(*Grd_Pairs);

    auto* top = new QHBoxLayout;
    top->addWidget(levelLabel);
    top->addWidget(Spn_Level);
    top->addSpacing(12);
    top->addWidget(classLabel);
    top->addWidget(Cbo_WithClass);
    top->addStretch();
    setParts(*Grd_Pairs,
             {.controls = top, .messageInPlace = true, .buttons = {Cmd_UsePair, Cmd_CopyAll}});

    const auto useCurrent = [this] { usePairAt(Grd_Pairs->currentIndex()); };
    connect(usePair, &QAction::triggered, this, useCurrent);
    connect(Cmd_UsePair, &QPushButton::clicked, this, useCurrent);
    connect(Grd_Pairs, &QAbstractItemView::doubleClicked, this, &PairsWindow::usePairAt);
    connect(Spn_Level, &QSpinBox::valueChanged, this, &PairsWindow::showRows);
    connect(Cbo_WithClass, &QComboBox::currentIndexChanged, this, &PairsWindow::showRows);

    const bool pairs = table.classCount() >= 2;
    showMessage(pairs ? QString() : fewClassesText(table.classCount()));
    for (QWidget* control :
         std::initializer_list<QWidget*>{Spn_Level, Cbo_WithClass, Cmd_UsePair, Cmd_CopyAll}) {
        control->setEnabled(pairs);
    }
    showRows();
}

void PairsWindow::showRows() {
    // The selected pair stays selected when it is still shown.
    const QModelIndex current = Grd_Pairs->currentIndex();
    const int kept =
        current.isValid()
            ? shown_->rows[static_cast<std::size_t>(pairs_->givenRow(current.row()))].number
            : 0;

    auto shown = std::make_shared<Shown>();
    for (int slot = 0; slot < Cbo_WithClass->count(); ++slot) {
        shown->names.append(Cbo_WithClass->itemText(slot));
    }
    const int withClass = std::max(Cbo_WithClass->currentIndex(), 0);
    shown->rows =
        vostrel::pairRows(*table_, Spn_Level->value(), static_cast<std::int16_t>(withClass));
    shown_ = shown;
    pairs_->setRows(columns(shown_), static_cast<int>(shown_->rows.size()));
    Grd_Pairs->sortAgain();
    Grd_Pairs->fitColumns();

    int row = 0;
    for (int r = 0; r < pairs_->rowCount(); ++r) {
        if (shown_->rows[static_cast<std::size_t>(pairs_->givenRow(r))].number == kept) {
            row = r;
            break;
        }
    }
    if (pairs_->rowCount() > 0) {
        Grd_Pairs->setCurrentIndex(pairs_->index(row, Number));
    }
}

void PairsWindow::usePairAt(const QModelIndex& index) {
    if (!index.isValid() || showsMessage()) {
        return;
    }
    const vostrel::PairRow& pair =
        shown_->rows[static_cast<std::size_t>(pairs_->givenRow(index.row()))];
    emit pairChosen(pair.first, pair.second, Spn_Level->value());
}

QString PairsWindow::refusalText(vostrel::PairFit fit) {
    switch (fit) {
        case vostrel::PairFit::NoFreeRow:
            return QStringLiteral(
                "Every row of the build already has a class. To use a pair, set both lists "
                "of a row to <None>.");
        case vostrel::PairFit::NoLevelLeft:
            return QStringLiteral(
                "The other rows of the build already add up to 20 levels: no level is left "
                "for the pair.");
        case vostrel::PairFit::Fits:
            break;
    }
    return {};
}

QSize PairsWindow::aroundTable(int tableWidth) const {
    ensurePolished();
    const QHeaderView* header = Grd_Pairs->horizontalHeader();
    const int rows = std::clamp(pairs_->rowCount(), 1, kRowsShown);
    const int tableHeight =
        2 * Grd_Pairs->frameWidth() + header->sizeHint().height() + rows * Grd_Pairs->lineHeight();
    const QMargins margins = layout()->contentsMargins();
    const int controls =
        std::max(Spn_Level->sizeHint().height(), Cbo_WithClass->sizeHint().height());
    return {tableWidth + margins.left() + margins.right(),
            tableHeight + margins.top() + margins.bottom() + 2 * layout()->spacing() + controls +
                Cmd_UsePair->sizeHint().height()};
}

// Every column in full, and room for a good part of the pairs.
QSize PairsWindow::preferredSize() const {
    return aroundTable(Grd_Pairs->fullWidth());
}

// The names and numbers in full; the features may scroll.
int PairsWindow::narrowestWidth() const {
    return aroundTable(Grd_Pairs->widthWithoutFill()).width();
}
