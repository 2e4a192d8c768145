#include "classes_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "class_checks.h"

namespace {

const QString kTitle = QStringLiteral("Classes - Vostrel Progression Calculator");
const QString kNoName = QStringLiteral("(no name)");
const QString kNoClassesText = QStringLiteral("The class file holds no classes.");

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

using SharedTable = std::shared_ptr<const vostrel::ClassTable>;

// The class at each given row, kept alive by the columns that show it.
auto classAt(SharedTable table) {
    return [table = std::move(table)](int row) -> const vostrel::ClassRecord& {
        return table->recordAt(row + 1);
    };
}

std::vector<TableColumn> shownColumns(const SharedTable& table) {
    const Qt::Alignment right = Qt::AlignRight;
    const auto record = classAt(table);
    const auto save = [&record](std::string vostrel::ClassRecord::*column,
                                bool vostrel::ClassRecord::*good, const QString& title,
                                const QString& name) {
        return TableColumn{
            .title = title,
            .display = [record, column,
                        good](int r) { return saveCell(record(r).*column, record(r).*good); },
            .toolTip = [record, column, name](int r) { return saveTip(record(r).*column, name); },
            .marked = [record,
                       column](int r) { return vostrel::isDoubtfulSaveText(record(r).*column); },
        };
    };
    TableColumn hitDie = numberColumn(
        QStringLiteral("Hit Die"), [record](int r) { return int{record(r).hitDie}; },
        QStringLiteral("d"));
    hitDie.toolTip = [record](int r) {
        const int die = record(r).hitDie;
        if (vostrel::isListedHitDie(die)) {
            return QString();
        }
        return QStringLiteral(
                   "The report's hit-dice line lists only %1: this class's levels count, but "
                   "its d%2 never shows in that line.")
            .arg(listedDiceText())
            .arg(die);
    };
    hitDie.marked = [record](int r) { return !vostrel::isListedHitDie(record(r).hitDie); };
    return {
        numberColumn(QStringLiteral("#"), [](int r) { return r + 1; }),
        {.title = QStringLiteral("Name"),
         .display =
             [record](int r) { return record(r).name.empty() ? kNoName : text(record(r).name); },
         .toolTip =
             [record](int r) {
                 return record(r).name.empty()
                            ? QStringLiteral(
                                  "This class has no name: its entry in the class lists "
                                  "is empty.")
                            : text(record(r).name);
             },
         .marked = [record](int r) { return record(r).name.empty(); }},
        hitDie,
        numberColumn(QStringLiteral("Skill Points"),
                     [record](int r) { return int{record(r).skillPoints}; }),
        {.title = QStringLiteral("BAB per Level"),
         .alignment = right,
         .display = [record](int r) { return rateText(record(r).babRate); },
         .sortKey = [record](int r) { return QVariant(record(r).babRate); }},
        save(&vostrel::ClassRecord::fortText, &vostrel::ClassRecord::fortGood,
             QStringLiteral("Fort"), QStringLiteral("Fortitude")),
        save(&vostrel::ClassRecord::refText, &vostrel::ClassRecord::refGood, QStringLiteral("Ref"),
             QStringLiteral("Reflex")),
        save(&vostrel::ClassRecord::willText, &vostrel::ClassRecord::willGood,
             QStringLiteral("Will"), QStringLiteral("Will")),
    };
}

// The 27 fields of a class file's line, in its order and as read.
std::vector<TableColumn> fileFields(const SharedTable& table) {
    const auto record = classAt(table);
    const auto field = [&record](const QString& title, auto value) {
        return TableColumn{.title = title,
                           .display = [record, value](int r) { return value(record(r)); }};
    };
    using Record = vostrel::ClassRecord;
    std::vector<TableColumn> fields{
        field(QStringLiteral("Name"), [](const Record& c) { return text(c.name); }),
        field(QStringLiteral("Hit Die"), [](const Record& c) { return QString::number(c.hitDie); }),
        field(QStringLiteral("Skill Points"),
              [](const Record& c) { return QString::number(c.skillPoints); }),
        field(QStringLiteral("BAB per Level"), [](const Record& c) { return rateText(c.babRate); }),
        field(QStringLiteral("Fort"), [](const Record& c) { return text(c.fortText); }),
        field(QStringLiteral("Ref"), [](const Record& c) { return text(c.refText); }),
        field(QStringLiteral("Will"), [](const Record& c) { return text(c.willText); }),
    };
    for (std::size_t level = 1; level <= vostrel::kMaxLevel; ++level) {
        fields.push_back(field(QStringLiteral("Level %1").arg(level),
                               [level](const Record& c) { return text(c.features[level]); }));
    }
    return fields;
}

// One class's features, level by level.
std::vector<TableColumn> featureColumns(std::shared_ptr<const vostrel::ClassRecord> shown) {
    const auto feature = [shown = std::move(shown)](int r) {
        return text(shown->features[static_cast<std::size_t>(r + 1)]);
    };
    return {
        numberColumn(QStringLiteral("Level"), [](int r) { return r + 1; }),
        {.title = QStringLiteral("Features"), .display = feature, .toolTip = feature},
    };
}

}  // namespace

ClassesWindow::ClassesWindow(QWidget& mainWindow)
    : TableWindow(mainWindow, QStringLiteral("ClassesWindow"), kTitle),
      table_(std::make_shared<const vostrel::ClassTable>()) {
    auto* fileLabel = new QLabel(QStringLiteral("Class file:"), this);
    fileBox = new QLineEdit(this);
    fileBox->setObjectName(QStringLiteral("fileBox"));
    fileBox->setAccessibleName(QStringLiteral("Class file"));
    fileBox->setReadOnly(true);
    fileLabel->setBuddy(fileBox);
    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("countLabel"));

    classes_ = new TableModel(shownColumns(table_), this);
    classesTable = new TableView(classes_, this);
    classesTable->setObjectName(QStringLiteral("classesTable"));
    classesTable->setAccessibleName(QStringLiteral("Classes in the class file"));
    classesTable->setFillColumn(Name);
    classesTable->setSortable(Number);

    featuresLabel = new QLabel(this);
    featuresLabel->setObjectName(QStringLiteral("featuresLabel"));
    featuresLabel->setTextFormat(Qt::PlainText);
    features_ = new TableModel(featureColumns({table_, &table_->recordAt(0)}), this);
    featuresTable = new TableView(features_, this);
    featuresTable->setObjectName(QStringLiteral("featuresTable"));
    featuresTable->setFillColumn(1);
    featuresLabel->setBuddy(featuresTable);

    auto* featuresPane = new QWidget(this);
    auto* featuresLayout = new QVBoxLayout(featuresPane);
    featuresLayout->setContentsMargins(0, 0, 0, 0);
    featuresLayout->addWidget(featuresLabel);
    featuresLayout->addWidget(featuresTable);

    copyAllButton = makeCopyAllButton(*classesTable);
    copyAllButton->setAccessibleDescription(
        QStringLiteral("Copies every class as tab-separated text, one column per field of the "
                       "class file"));

    auto* top = new QHBoxLayout;
    top->addWidget(fileLabel);
    top->addWidget(fileBox, 1);
    top->addWidget(countLabel);
    setParts(*classesTable, {.controls = top, .pane = featuresPane, .buttons = {copyAllButton}});
    setTabOrder(classesTable, featuresTable);
    setTabOrder(featuresTable, copyAllButton);
    setTabOrder(copyAllButton, fileBox);

    connect(classesTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ClassesWindow::showFeaturesOf);
}

void ClassesWindow::showClasses(const QString& path, const vostrel::ClassTable& table) {
    table_ = std::make_shared<const vostrel::ClassTable>(table);
    fileBox->setText(path);
    fileBox->setCursorPosition(0);
    fileBox->setToolTip(path);
    countLabel->setText(countText(table.classCount()));
    setOpeningMessage(table.classCount() == 0 ? kNoClassesText : QString());
    classes_->setRows(shownColumns(table_), table.classCount(), fileFields(table_));
    classesTable->sortAgain();
    classesTable->fitColumns();
    if (table.classCount() > 0) {
        classesTable->setCurrentIndex(classes_->index(0, Number));
    } else {
        showFeaturesOf({});
    }
}

void ClassesWindow::showFeaturesOf(const QModelIndex& current) {
    const int slot = current.isValid() ? classes_->givenRow(current.row()) + 1 : 0;
    // Shares the table it is part of, so the rows keep that alive.
    const std::shared_ptr<const vostrel::ClassRecord> shown(table_, &table_->recordAt(slot));
    if (slot == 0) {
        featuresLabel->setText(table_->classCount() == 0
                                   ? kNoClassesText
                                   : QStringLiteral("Select a class to see its features."));
    } else {
        featuresLabel->setText(QStringLiteral("Features of %1 by level")
                                   .arg(shown->name.empty() ? kNoName : text(shown->name)));
    }
    features_->setRows(featureColumns(shown), slot == 0 ? 0 : vostrel::kMaxLevel);
    featuresTable->setAccessibleName(featuresLabel->text());
    featuresTable->fitColumns();
}

// Every column of the classes in full, and room for about a dozen of them above
// twenty levels of features.
QStringList ClassesWindow::printedContext() const {
    return {QStringLiteral("Class file: ") + fileBox->text(), countLabel->text()};
}

QSize ClassesWindow::preferredSize() const {
    ensurePolished();
    const int tables = classesTable->heightForRows(std::clamp(classes_->rowCount(), 1, 12)) +
                       featuresTable->heightForRows(vostrel::kMaxLevel);
    const QSize around =
        layout()->sizeHint() - classesTable->sizeHint() - featuresTable->sizeHint();
    const int width = std::max(classesTable->fullWidth(), featuresTable->fullWidth());
    return {width + layout()->contentsMargins().left() + layout()->contentsMargins().right(),
            tables + std::max(around.height(), 0)};
}

int ClassesWindow::narrowestWidth() const {
    const QMargins margins = layout()->contentsMargins();
    return classesTable->widthWithoutFill() + margins.left() + margins.right();
}
