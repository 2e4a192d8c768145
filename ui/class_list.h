#pragma once

#include <QComboBox>

// One of the window's class lists: "<None>" and the class names, with an
// editable text field that always ends up showing the class that counts.
// - When editing ends, a text equal to an entry (ignoring case) picks that
//   entry; any other text gives way to the entry chosen before, or to "Class"
//   when none was.
// - The drop-down is as wide as the longest name needs, within the screen.
// - The chosen class's full name is the list's tooltip.
// - The wheel turns the list only while it has the keyboard focus.
// - The window's shortcuts still work while the drop-down is open.
class ClassList final : public QComboBox {
    Q_OBJECT

public:
    explicit ClassList(QWidget* parent = nullptr);

    // Nothing chosen: no entry selected and "Class" in the text field.
    void clearChoice();
    // Ends editing of the text field as above; does nothing while the field shows
    // the entry chosen (or "Class" with none chosen).
    void settleText();

    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int popupViewWidth() const;
    bool runWindowShortcut(const QKeyEvent& key);

    bool popupWatched_ = false;
};
