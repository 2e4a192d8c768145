#include "classes_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "class_checks.h"

namespace {

const QString kTitle = QStringLiteral("Classes - Vostrel Progression Calculator");
const QString kNoName = QStringLiteral("(no name)");

enum Column { Number, Name, HitDie, SkillPoints, Bab, Fort, Ref, Will };

// Shortest text that reads back as the same number, with a point whatever the locale.
QString rateText(double rate) {
    return QString::number(rate, 'g', QLocale::FloatingPointShortest);
}

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QString saveCell(const std::string& column, bool good) {
    if (good) {
        return QStringLiteral("good");
    }
    if (vostrel::isDoubtfulSaveText(column)) {
        return QStringLiteral("poor: \"%1\"").arg(text(column));
    }
    return QStringLiteral("poor");
}

QString saveTip(const std::string& column, const QString& save) {
    if (!vostrel::isDoubtfulSaveText(column)) {
        return {};
    }
    return QStringLiteral(
               "Only TRUE in capitals marks a good save: \"%1\" leaves this class's %2 "
               "save poor.")
        .arg(text(column), save);
}

QString listedDiceText() {
    QStringList dice;
    for (const int die : vostrel::kListedHitDice) {
        dice.append(QStringLiteral("d%1").arg(die));
    }
    const QString last = dice.takeLast();
    return dice.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString countText(int count) {
    return count == 1 ? QStringLiteral("1 class") : QStringLiteral("%1 classes").arg(count);
}

}  // namespace

ClassesWindow::ClassesWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("ClassesWindow"), kTitle) {
    auto* fileLabel = new QLabel(QStringLiteral("Class file:"), this);
    Txt_File = new QLineEdit(this);
    Txt_File->setObjectName(QStringLiteral("Txt_File"));
    Txt_File->setAccessibleName(QStringLiteral("Class file"));
    Txt_File->setReadOnly(true);
    fileLabel->setBuddy(Txt_File);
    Lbl_Count = new QLabel(this);
    Lbl_Count->setObjectName(QStringLiteral("Lbl_Count"));

    classes_ = new TableModel(shownColumns(), this);
    classes_->setCopyColumns(fileFields());
    Grd_Classes = new TableView(classes_, this);
    Grd_Classes->setObjectName(QStringLiteral("Grd_Classes"));
    Grd_Classes->setAccessibleName(QStringLiteral("Classes in the class file"));
    Grd_Classes->setFillColumn(Name);
    Grd_Classes->horizontalHeader()->setSortIndicator(Number, Qt::AscendingOrder);
    Grd_Classes->setSortingEnabled(true);
    addSortMenu();

    Lbl_Features = new QLabel(this);
    Lbl_Features->setObjectName(QStringLiteral("Lbl_Features"));
    Lbl_Features->setTextFormat(Qt::PlainText);
    features_ = new TableModel(
        {{QStringLiteral("Level"), Qt::AlignRight,
          [](int row) { return QString::number(row + 1); }},
         {QStringLiteral("Features"), Qt::AlignLeft, [this](int row) { return featureAt(row + 1); },
          [this](int row) { return featureAt(row + 1); }}},
        this);
    Grd_Features = new TableView(features_, this);
    Grd_Features->setObjectName(QStringLiteral("Grd_Features"));
    Grd_Features->setFillColumn(1);
    Lbl_Features->setBuddy(Grd_Features);

    auto* featuresPane = new QWidget(this);
    auto* featuresLayout = new QVBoxLayout(featuresPane);
    featuresLayout->setContentsMargins(0, 0, 0, 0);
    featuresLayout->addWidget(Lbl_Features);
    featuresLayout->addWidget(Grd_Features);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(Grd_Classes);
    split->addWidget(featuresPane);

    Cmd_CopyAll = makeCopyAllButton(*Grd_Classes);
    Cmd_CopyAll->setAccessibleDescription(
        QStringLiteral("Copies every class as tab-separated text, one column per field of the "
                       "class file"));

    auto* top = new QHBoxLayout;
    top->addWidget(fileLabel);
    top->addWidget(Txt_File, 1);
    top->addWidget(Lbl_Count);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_CopyAll);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    setTabOrder(Grd_Classes, Grd_Features);
    setTabOrder(Grd_Features, Cmd_CopyAll);
    setTabOrder(Cmd_CopyAll, Txt_File);

    connect(Grd_Classes->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ClassesWindow::showFeaturesOf);
}

// Closing on the way out still reads the tables, after the main window's class
// table has gone: they let go of it first.
ClassesWindow::~ClassesWindow() {
    table_ = nullptr;
    classes_->setRows(0);
    features_->setRows(0);
}

const vostrel::ClassRecord& ClassesWindow::recordOf(int row) const {
    static const vostrel::ClassRecord empty;
    return table_ != nullptr ? table_->recordAt(row + 1) : empty;
}

QString ClassesWindow::featureAt(int level) const {
    return text(recordOf(featuresSlot_ - 1).features[static_cast<std::size_t>(level)]);
}

std::vector<TableColumn> ClassesWindow::shownColumns() const {
    const Qt::Alignment right = Qt::AlignRight;
    const auto save = [this](std::string vostrel::ClassRecord::*column,
                             bool vostrel::ClassRecord::*good, const QString& title,
                             const QString& name) {
        return TableColumn{
            title, Qt::AlignLeft,
            [this, column, good](int r) {
                return saveCell(recordOf(r).*column, recordOf(r).*good);
            },
            [this, column, name](int r) { return saveTip(recordOf(r).*column, name); },
            [this, column](int r) { return vostrel::isDoubtfulSaveText(recordOf(r).*column); }};
    };
    const auto number = [](int value) { return QVariant(value); };
    return {
        {QStringLiteral("#"),
         right,
         [](int r) { return QString::number(r + 1); },
         {},
         {},
         [number](int r) { return number(r); }},
        {QStringLiteral("Name"), Qt::AlignLeft,
         [this](int r) { return recordOf(r).name.empty() ? kNoName : text(recordOf(r).name); },
         [this](int r) {
             return recordOf(r).name.empty()
                        ? QStringLiteral(
                              "This class has no name: its entry in the class lists "
                              "is empty.")
                        : text(recordOf(r).name);
         },
         [this](int r) { return recordOf(r).name.empty(); }},
        {QStringLiteral("Hit Die"), right,
         [this](int r) { return QStringLiteral("d%1").arg(recordOf(r).hitDie); },
         [this](int r) {
             const int die = recordOf(r).hitDie;
             if (vostrel::isListedHitDie(die)) {
                 return QString();
             }
             return QStringLiteral(
                        "The report's hit-dice line lists only %1: this class's "
                        "levels count, but its d%2 never shows in that line.")
                 .arg(listedDiceText())
                 .arg(die);
         },
         [this](int r) { return !vostrel::isListedHitDie(recordOf(r).hitDie); },
         [this, number](int r) { return number(recordOf(r).hitDie); }},
        {QStringLiteral("Skill Points"),
         right,
         [this](int r) { return QString::number(recordOf(r).skillPoints); },
         {},
         {},
         [this, number](int r) { return number(recordOf(r).skillPoints); }},
        {QStringLiteral("BAB per Level"),
         right,
         [this](int r) { return rateText(recordOf(r).babRate); },
         {},
         {},
         [this](int r) { return QVariant(recordOf(r).babRate); }},
        save(&vostrel::ClassRecord::fortText, &vostrel::ClassRecord::fortGood,
             QStringLiteral("Fort"), QStringLiteral("Fortitude")),
        save(&vostrel::ClassRecord::refText, &vostrel::ClassRecord::refGood, QStringLiteral("Ref"),
             QStringLiteral("Reflex")),
        save(&vostrel::ClassRecord::willText, &vostrel::ClassRecord::willGood,
             QStringLiteral("Will"), QStringLiteral("Will")),
    };
}

// The 27 fields of a class file's line, in its order and as read.
std::vector<TableColumn> ClassesWindow::fileFields() const {
    std::vector<TableColumn> fields{
        {QStringLiteral("Name"), {}, [this](int r) { return text(recordOf(r).name); }},
        {QStringLiteral("Hit Die"),
         {},
         [this](int r) { return QString::number(recordOf(r).hitDie); }},
        {QStringLiteral("Skill Points"),
         {},
         [this](int r) { return QString::number(recordOf(r).skillPoints); }},
        {QStringLiteral("BAB per Level"),
         {},
         [this](int r) { return rateText(recordOf(r).babRate); }},
        {QStringLiteral("Fort"), {}, [this](int r) { return text(recordOf(r).fortText); }},
        {QStringLiteral("Ref"), {}, [this](int r) { return text(recordOf(r).refText); }},
        {QStringLiteral("Will"), {}, [this](int r) { return text(recordOf(r).willText); }},
    };
    for (std::size_t level = 1; level <= vostrel::kMaxLevel; ++level) {
        fields.push_back({QStringLiteral("Level %1").arg(level), {}, [this, level](int r) {
                              return text(recordOf(r).features[level]);
                          }});
    }
    return fields;
}

// Header clicks need a mouse; the table's context menu (the Menu key) sorts too.
void ClassesWindow::addSortMenu() {
    auto* sortBy = new QMenu(QStringLiteral("Sort by"), this);
    for (int column = 0; column < classes_->columnCount(); ++column) {
        const QString title =
            classes_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        sortBy->addAction(
            title, this, [this, column] { Grd_Classes->sortByColumn(column, Qt::AscendingOrder); });
    }
    Grd_Classes->addAction(sortBy->menuAction());
}

void ClassesWindow::showClasses(const QString& path, const vostrel::ClassTable& table) {
    table_ = &table;
    Txt_File->setText(path);
    Txt_File->setCursorPosition(0);
    Txt_File->setToolTip(path);
    Lbl_Count->setText(countText(table.classCount()));
    classes_->setRows(table.classCount());
    const QHeaderView* header = Grd_Classes->horizontalHeader();
    classes_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    Grd_Classes->fitColumns();
    if (table.classCount() > 0) {
        Grd_Classes->setCurrentIndex(classes_->index(0, Number));
    } else {
        showFeaturesOf({});
    }
}

void ClassesWindow::showFeaturesOf(const QModelIndex& current) {
    featuresSlot_ = current.isValid() ? classes_->givenRow(current.row()) + 1 : 0;
    if (featuresSlot_ == 0) {
        Lbl_Features->setText(table_ != nullptr && table_->classCount() == 0
                                  ? QStringLiteral("The class file holds no classes.")
                                  : QStringLiteral("Select a class to see its features."));
        features_->setRows(0);
    } else {
        const std::string& name = table_->recordAt(featuresSlot_).name;
        Lbl_Features->setText(
            QStringLiteral("Features of %1 by level").arg(name.empty() ? kNoName : text(name)));
        features_->setRows(vostrel::kMaxLevel);
    }
    Grd_Features->setAccessibleName(Lbl_Features->text());
    Grd_Features->fitColumns();
}

void ClassesWindow::focusContents() {
    Grd_Classes->setFocus();
}

// Every column of the classes in full, and room for about a dozen of them above
// twenty levels of features.
QSize ClassesWindow::preferredSize() const {
    ensurePolished();
    const int rowHeight = Grd_Features->lineHeight();
    const int headerHeight = Grd_Classes->horizontalHeader()->sizeHint().height();
    const int classRows = std::clamp(classes_->rowCount(), 1, 12);
    const int tables = 2 * (2 * Grd_Classes->frameWidth() + headerHeight) +
                       (classRows + vostrel::kMaxLevel) * rowHeight;
    const QSize around = layout()->sizeHint() - Grd_Classes->sizeHint() - Grd_Features->sizeHint();
    const int width = std::max(Grd_Classes->fullWidth(), Grd_Features->fullWidth());
    return {width + layout()->contentsMargins().left() + layout()->contentsMargins().right(),
            tables + std::max(around.height(), 0)};
}

int ClassesWindow::narrowestWidth() const {
    const QMargins margins = layout()->contentsMargins();
    return Grd_Classes->widthWithoutFill() + margins.left() + margins.right();
}
