#include "class_list_accessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

#include "class_list.h"

namespace {

class ClassListAccessible final : public QAccessibleWidget {
public:
    explicit ClassListAccessible(ClassList* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            const int index = list()->currentIndex();
            return index >= 0 ? list()->itemText(index) : QString();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.expandable = true;
        // Asking for the view would build the drop-down, which waits for first use.
        state.expanded =
            list()->findChild<QAbstractItemView*>() != nullptr && list()->view()->isVisible();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            list()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    ClassList* list() const { return static_cast<ClassList*>(widget()); }
};

}  // namespace

QAccessibleInterface* accessibleClassList(const QString&, QObject* object) {
    auto* list = qobject_cast<ClassList*>(object);
    return list != nullptr ? new ClassListAccessible(list) : nullptr;
}
