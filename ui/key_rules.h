#pragma once

#include <QObject>

class QAction;
class QKeyEvent;
class QMainWindow;

// The main window's keyboard rules, for all of its controls at once: one filter
// on the application, which sees every key before the control it is meant for.
// - The window's commands win over a text field's own use of their shortcuts
//   (Ctrl+X is Exit, not Cut), and work while a class list's drop-down is open,
//   which closes first.
// - Alt with a key types nothing, so that no letter lands in a box; Ctrl+Alt
//   types, being AltGr on some keyboards ("@", "Ł", "€").
// - Enter presses the focused button as Space does, without the button becoming
//   the default one that Enter in other controls would press.
// The menu bar's keys are menu_bar_keys.h's.
class KeyRules final : public QObject {
    Q_OBJECT

public:
    explicit KeyRules(QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* commandFor(const QKeyEvent& key, const QWidget* window) const;
    bool runFromDropDown(QObject* watched, const QKeyEvent& key) const;

    QMainWindow& window_;
};
