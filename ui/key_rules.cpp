#include "key_rules.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

namespace {

// Whether `action` is one of `window`'s own commands rather than one of a window
// it owns, such as the Level by Level window's Escape (close) and Ctrl+C (copy).
// A menu is a window of its own, so a menu's command counts for what holds the menu.
bool commandOf(const QAction& action, const QWidget* window) {
    for (const QObject* owner = action.parent(); owner != nullptr; owner = owner->parent()) {
        const auto* widget = qobject_cast<const QWidget*>(owner);
        if (widget != nullptr && qobject_cast<const QMenu*>(widget) == nullptr) {
            return widget->window() == window;
        }
    }
    return false;
}

}  // namespace

KeyRules::KeyRules(QMainWindow& window) : QObject(&window), window_(window) {
    qApp->installEventFilter(this);
}

bool KeyRules::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress && runFromDropDown(watched, *key)) {
        return true;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return false;
    }
    if (widget->window() != &window_) {
        // The commands a table window shares win over its text fields' keys as well.
        if (type == QEvent::ShortcutOverride && commandFor(*key, widget->window()) != nullptr) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Left unaccepted, the key goes on to the window's shortcut.
        if (commandFor(*key, &window_) != nullptr) {
            event->ignore();
            return true;
        }
        return false;
    }
    const Qt::KeyboardModifiers held = key->modifiers();
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (held & ~Qt::KeypadModifier) == Qt::NoModifier && !key->isAutoRepeat()) {
            button->click();
            return true;
        }
    }
    return held.testFlag(Qt::AltModifier) && !held.testFlag(Qt::ControlModifier) &&
           !key->text().isEmpty();
}

// The main window's command on `key` that works in `window`: any of its own
// there, only those it shares elsewhere.
QAction* KeyRules::commandFor(const QKeyEvent& key, const QWidget* window) const {
    const QKeySequence pressed(key.keyCombination());
    const auto actions = window == &window_ ? window_.findChildren<QAction*>() : window->actions();
    const auto match = std::find_if(actions.begin(), actions.end(), [&](const QAction* action) {
        return action->isEnabled() && !action->shortcut().isEmpty() &&
               action->shortcut() == pressed && commandOf(*action, &window_);
    });
    return match != actions.end() ? *match : nullptr;
}

// An open drop-down holds the keyboard, so the window's shortcuts never see the
// keys; they are handed on from here, the drop-down closed first.
bool KeyRules::runFromDropDown(QObject* watched, const QKeyEvent& key) const {
    const auto* view = qobject_cast<QAbstractItemView*>(watched);
    if (view == nullptr) {
        return false;
    }
    auto* list = qobject_cast<QComboBox*>(view->window()->parentWidget());
    if (list == nullptr || list->window() != &window_ || list->view() != view) {
        return false;
    }
    QAction* command = commandFor(key, &window_);
    if (command == nullptr) {
        return false;
    }
    list->hidePopup();
    command->trigger();
    return true;
}
