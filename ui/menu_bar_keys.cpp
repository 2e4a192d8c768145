#include "menu_bar_keys.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace {

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

MenuBarKeys::MenuBarKeys(QMainWindow& window) : QObject(&window), window_(window) {
    // The menus carry no access keys; F10 is the desktop's key for the menu bar.
    auto* openMenuBar = new QAction(this);
    openMenuBar->setShortcut(QKeySequence(Qt::Key_F10));
    connect(openMenuBar, &QAction::triggered, this, &MenuBarKeys::openFirstMenu);
    window.addAction(openMenuBar);
    // An open menu is a window of its own, which holds the keyboard.
    qApp->installEventFilter(this);
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    return menu != nullptr && event->type() == QEvent::KeyPress &&
           openNeighbourMenu(*menu, *static_cast<QKeyEvent*>(event));
}

// Qt moves from one menu to the next by handing the focus back to the window's
// control for a moment, which a screen reader announces between the two menus.
// Here the old menu closes and the next opens without that.
bool MenuBarKeys::openNeighbourMenu(QMenu& menu, const QKeyEvent& key) const {
    const bool sideways = key.key() == Qt::Key_Left || key.key() == Qt::Key_Right;
    if (!sideways || key.modifiers() != Qt::NoModifier) {
        return false;
    }
    QMenuBar* bar = window_.menuBar();
    const QList<QAction*> titles = bar->actions();
    const auto count = static_cast<int>(titles.size());
    const int here = static_cast<int>(titles.indexOf(menu.menuAction()));
    const QAction* item = menu.activeAction();
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
            if (menu.hasFocus()) {
                titles[next]->menu()->popup(
                    bar->mapToGlobal(bar->actionGeometry(titles[next]).bottomLeft()));
            }
            menu.hide();
            openAtFirstItem(*bar, titles[next]);
            return true;
        }
    }
    return false;
}

void MenuBarKeys::openFirstMenu() const {
    const QList<QAction*> titles = window_.menuBar()->actions();
    const auto first = std::find_if(titles.begin(), titles.end(), opensMenu);
    if (first != titles.end()) {
        openAtFirstItem(*window_.menuBar(), *first);
    }
}
