#pragma once

#include <QObject>

class QKeyEvent;
class QMainWindow;
class QMenu;

// The main window's menu bar from the keyboard, as a screen reader user hears it:
// F10 opens the first menu; Left and Right then go from menu to menu, each opened
// at its first item, without the focus passing through the window's controls.
class MenuBarKeys final : public QObject {
    Q_OBJECT

public:
    explicit MenuBarKeys(QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openNeighbourMenu(QMenu& menu, const QKeyEvent& key) const;
    void openFirstMenu() const;

    QMainWindow& window_;
};
