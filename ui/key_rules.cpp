#include "key_rules.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>

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

bool opensMenu(const QAction* title) {
    return title->isVisible() && title->isEnabled() && title->menu() != nullptr;
}

void chooseFirstItem(QMenu& menu) {
    const QList<QAction*> items = menu.actions();
    const auto first = std::find_if(items.begin(), items.end(), [](const QAction* item) {
        return item->isVisible() && item->isEnabled() && !item->isSeparator();
    });
    if (first != items.end()) {
        menu.setActiveAction(*first);
    }
}

// Long enough for a screen reader to take the title's focus change and say the
// title before the first item's focus change cuts it short; short enough that a
// player who goes on to the next menu hears only the titles.
constexpr auto kTitleHeard = std::chrono::milliseconds(400);

// Opens the menu under `title` with its first item chosen, as Qt does when the
// keyboard goes from menu to menu. A screen reader speaks only the newest focus
// change it has in hand, so while one listens the item is chosen a moment after
// the title, and both are heard.
void openAtFirstItem(QMenuBar& bar, QAction* title) {
    bar.setActiveAction(title);
    QMenu* menu = title->menu();
    if (!QAccessible::isActive()) {
        chooseFirstItem(*menu);
        return;
    }
    QTimer::singleShot(kTitleHeard, menu, [menu] {
        if (menu->isVisible() && menu->activeAction() == nullptr) {
            chooseFirstItem(*menu);
        }
    });
}

}  // namespace

KeyRules::KeyRules(QMainWindow& window) : QObject(&window), window_(window) {
    // The menus carry no access keys; F10 is the desktop's key for the menu bar.
    auto* openMenuBar = new QAction(this);
    openMenuBar->setShortcut(QKeySequence(Qt::Key_F10));
    connect(openMenuBar, &QAction::triggered, this, &KeyRules::openMenuBar);
    window.addAction(openMenuBar);
    qApp->installEventFilter(this);
}

bool KeyRules::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress &&
        (runFromDropDown(watched, *key) || openNeighbourMenu(watched, *key))) {
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

// Qt moves from one menu to the next by handing the focus back to the window's
// control for a moment, which a screen reader announces between the two menus.
// Here the old menu closes and the next opens without that.
bool KeyRules::openNeighbourMenu(QObject* watched, const QKeyEvent& key) const {
    auto* menu = qobject_cast<QMenu*>(watched);
    const bool sideways = key.key() == Qt::Key_Left || key.key() == Qt::Key_Right;
    if (menu == nullptr || !sideways || key.modifiers() != Qt::NoModifier) {
        return false;
    }
    QMenuBar* bar = window_.menuBar();
    const QList<QAction*> titles = bar->actions();
    const auto count = static_cast<int>(titles.size());
    const int here = static_cast<int>(titles.indexOf(menu->menuAction()));
    const QAction* item = menu->activeAction();
    if (here < 0 || (key.key() == Qt::Key_Right && item != nullptr && item->menu() != nullptr)) {
        return false;  // not one of the bar's menus, or Right opens a submenu
    }
    const int step = (key.key() == Qt::Key_Right) != bar->isRightToLeft() ? 1 : -1;
    for (int next = (here + step + count) % count; next != here;
         next = (next + step + count) % count) {
        if (opensMenu(titles[next])) {
            // A menu whose items were chosen by keys holds the focus, and hands it to
            // the window's control when it closes as the last open popup; with the
            // next menu open already, it passes to that menu instead.
            if (menu->hasFocus()) {
                titles[next]->menu()->popup(
                    bar->mapToGlobal(bar->actionGeometry(titles[next]).bottomLeft()));
            }
            menu->hide();
            openAtFirstItem(*bar, titles[next]);
            return true;
        }
    }
    return false;
}

void KeyRules::openMenuBar() const {
    const QList<QAction*> titles = window_.menuBar()->actions();
    const auto first = std::find_if(titles.begin(), titles.end(), opensMenu);
    if (first != titles.end()) {
        openAtFirstItem(*window_.menuBar(), *first);
    }
}
