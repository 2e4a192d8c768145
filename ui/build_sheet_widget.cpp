#include "build_sheet_widget.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <memory>
#include <utility>

#include "class_list.h"
#include "client_area.h"
#include "level_box_filter.h"

namespace {

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

BuildSheetWidget::BuildSheetWidget(QAbstractItemModel& classNames, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("BuildSheet"));
    for (std::size_t row = 0; row < Txt_Lvl.size(); ++row) {
        const int top = kRowPitch * static_cast<int>(row);
        const QString segment = QString::number(row + 1);
        for (std::size_t side = 0; side < 2; ++side) {
            auto* list = new ClassList(this, &classNames);
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
    // The rows' context menu (eventFilter): a list's own (the Menu key, a click on
    // its arrow) would be its text field's standard one alone.
    for (ClassList* list : Cbo_Class) {
        list->installEventFilter(this);
        list->lineEdit()->installEventFilter(this);
    }
    for (QLineEdit* box : Txt_Lvl) {
        box->installEventFilter(this);
    }
    // Anywhere in a row; the window's key rules let these win over a text field's keys.
    for (const auto& [key, step] : {std::pair{Qt::Key_Up, -1}, std::pair{Qt::Key_Down, 1}}) {
        auto* move = new QAction(this);
        move->setShortcut(QKeySequence(Qt::CTRL | key));
        move->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(move, &QAction::triggered, this,
                [this, step] { moveRow(placeOf(QApplication::focusWidget()), step); });
        addAction(move);
    }
}

// Setting "0" changes the text again; that nested run sees a digit and stops.
void BuildSheetWidget::filterLevelText(std::size_t row) {
    if (!levelTextPasses(Txt_Lvl[row]->text())) {
        Txt_Lvl[row]->setText(QStringLiteral("0"));
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

BuildSheetWidget::Place BuildSheetWidget::placeOf(const QWidget* control) const {
    for (; control != nullptr && control != this; control = control->parentWidget()) {
        for (int row = 0; row < vostrel::kSegmentCount; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (controlAt({row, column}) == control) {
                    return {row, column};
                }
            }
        }
    }
    return {};
}

QWidget* BuildSheetWidget::controlAt(Place place) const {
    const auto row = static_cast<std::size_t>(place.row);
    return place.column == 2 ? static_cast<QWidget*>(Txt_Lvl[row])
                             : Cbo_Class[2 * row + static_cast<std::size_t>(place.column)];
}

void BuildSheetWidget::moveRow(Place from, int step) {
    const int to = from.row + step;
    if (from.row < 0 || to < 0 || to >= vostrel::kSegmentCount) {
        return;
    }
    vostrel::BuildSheet moved = settledSheet();
    std::swap(moved.segments[static_cast<std::size_t>(from.row)],
              moved.segments[static_cast<std::size_t>(to)]);
    setSheet(moved);
    QWidget* focus = controlAt({to, from.column});
    focus->setFocus(Qt::OtherFocusReason);
    if (auto* list = qobject_cast<ClassList*>(focus)) {
        list->lineEdit()->selectAll();
    }
    emit rowMoved(from.row + 1, to + 1);
}

void BuildSheetWidget::clearRow(int row) {
    vostrel::BuildSheet cleared = settledSheet();
    cleared.segments[static_cast<std::size_t>(row)] = {"0", 0, 0};
    setSheet(cleared);
    emit rowCleared(row + 1);
}

void BuildSheetWidget::showRowMenu(Place place, QLineEdit* field, QPoint where) {
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    menu->addSeparator();
    const auto add = [&menu](const QString& text, const QKeySequence& keys, bool enabled) {
        QAction* command = menu->addAction(
            keys.isEmpty() ? text
                           : text + QLatin1Char('\t') + keys.toString(QKeySequence::NativeText));
        command->setEnabled(enabled);
        return command;
    };
    QAction* up = add(QStringLiteral("Move Up"), Qt::CTRL | Qt::Key_Up, place.row > 0);
    QAction* down = add(QStringLiteral("Move Down"), Qt::CTRL | Qt::Key_Down,
                        place.row + 1 < vostrel::kSegmentCount);
    QAction* clear = add(QStringLiteral("Clear Row"), {}, true);
    QAction* chosen = menu->exec(field->mapToGlobal(where));
    if (chosen == up || chosen == down) {
        moveRow(place, chosen == up ? -1 : 1);
    } else if (chosen == clear) {
        clearRow(place.row);
    }
}

bool BuildSheetWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu) {
        return false;
    }
    auto* control = qobject_cast<QWidget*>(watched);
    const Place place = placeOf(control);
    if (place.row < 0) {
        return false;
    }
    auto* field = qobject_cast<QLineEdit*>(controlAt(place));
    if (field == nullptr) {
        field = static_cast<ClassList*>(controlAt(place))->lineEdit();
    }
    const QPoint at = static_cast<QContextMenuEvent*>(event)->pos();
    showRowMenu(place, field, field->mapFrom(control, at));
    return true;
}
