#include "build_sheet_widget.h"

#include <QLineEdit>

#include "class_list.h"
#include "client_area.h"
#include "level_box_filter.h"

namespace {

const QString kNoClass = QStringLiteral("<None>");

constexpr int kRowPitch = 360;  // twips

// A list holds "<None>" and at most 40 classes, so its index is -1..40 and is
// the chosen class's slot; anything else cannot come from it and counts as none.
std::int16_t chosenSlot(const QComboBox& list) {
    const int index = list.currentIndex();
    if (index < -1 || index > vostrel::kMaxClasses) {
        return -1;
    }
    return static_cast<std::int16_t>(index);
}

}  // namespace

BuildSheetWidget::BuildSheetWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BuildSheet"));
    for (std::size_t row = 0; row < Txt_Lvl.size(); ++row) {
        const int top = kRowPitch * static_cast<int>(row);
        const QString segment = QString::number(row + 1);
        for (std::size_t side = 0; side < 2; ++side) {
            auto* list = new ClassList(this);
            const std::size_t index = 2 * row + side;
            list->setGeometry(fromTwips(side == 0 ? 0 : 1440, top, 1400, 315));
            list->setObjectName(QStringLiteral("Cbo_Class_%1").arg(index));
            list->setAccessibleName(QStringLiteral("Segment %1, %2 class")
                                        .arg(segment, side == 0 ? "first" : "second"));
            Cbo_Class[index] = list;
        }
        auto* box = new QLineEdit(QStringLiteral("0"), this);
        box->setMaxLength(2);
        box->setGeometry(fromTwips(2880, top, 375, 285));
        box->setObjectName(QStringLiteral("Txt_Lvl_%1").arg(row));
        box->setAccessibleName(QStringLiteral("Levels in segment %1").arg(segment));
        connect(box, &QLineEdit::textChanged, this, [this, row] { filterLevelText(row); });
        Txt_Lvl[row] = box;
    }
}

// Setting "0" changes the text again; that nested run sees a digit and stops.
void BuildSheetWidget::filterLevelText(std::size_t row) {
    if (!levelTextPasses(Txt_Lvl[row]->text())) {
        Txt_Lvl[row]->setText(QStringLiteral("0"));
    }
}

void BuildSheetWidget::fillClassLists(const std::vector<std::string>& classNames) {
    QStringList items{kNoClass};
    for (const std::string& name : classNames) {
        items.append(QString::fromStdString(name));
    }
    for (ClassList* list : Cbo_Class) {
        list->addItems(items);
        // Adding the first item selects it; the list shows "Class" until the user picks.
        list->clearChoice();
    }
}

vostrel::BuildSheet BuildSheetWidget::settledSheet() {
    for (ClassList* list : Cbo_Class) {
        list->settleText();
    }
    return sheet();
}

vostrel::BuildSheet BuildSheetWidget::sheet() const {
    vostrel::BuildSheet sheet;
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        vostrel::Segment& segment = sheet.segments[k];
        segment.levelText = Txt_Lvl[k]->text().toStdString();
        segment.firstClass = chosenSlot(*Cbo_Class[2 * k]);
        segment.secondClass = chosenSlot(*Cbo_Class[2 * k + 1]);
    }
    return sheet;
}

void BuildSheetWidget::setSheet(const vostrel::BuildSheet& sheet) {
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        const vostrel::Segment& row = sheet.segments[k];
        // Only what changes is set: each change is told to a screen reader, and a
        // flood of them would drown out the report that follows.
        const QString levels = QString::fromStdString(row.levelText);
        if (Txt_Lvl[k]->text() != levels) {
            Txt_Lvl[k]->setText(levels);
        }
        Cbo_Class[2 * k]->choose(row.firstClass);
        Cbo_Class[2 * k + 1]->choose(row.secondClass);
    }
}

void BuildSheetWidget::chainTabOrder(std::initializer_list<QWidget*> between) {
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    };
    for (ClassList* list : Cbo_Class) {
        chain(list);
    }
    for (QWidget* control : between) {
        chain(control);
    }
    for (QLineEdit* box : Txt_Lvl) {
        chain(box);
    }
}

void BuildSheetWidget::focusFirstList() {
    Cbo_Class[0]->setFocus();
    Cbo_Class[0]->lineEdit()->selectAll();
}
