#pragma once

#include <QComboBox>

class SpokenNotice;

// One of the window's class lists: "<None>" and the class names, with an
// editable text field that always ends up showing the class that counts.
// - When editing ends, a text equal to an entry picks that entry, one equal
//   letter case included before one equal only when case is ignored; any other
//   text gives way to the entry chosen before, or to "Class" when none was, and
//   says so in the tooltip and to a screen reader, offering the class whose name
//   is closest to the text when one is close.
// - A settled or picked name shows from its start.
// - A click into the text field of a list without the focus selects the whole
//   text, as Tab does, so that typing replaces it; so does a click into a focused
//   list while it shows its class, so that a typed name never merges into the old
//   one. Once the text is edited, a click places the cursor.
// - The drop-down is as wide as the longest name needs, within the screen.
// - Escape in the open drop-down closes the drop-down alone, never its window.
// - The chosen class's full name is the list's tooltip.
// - The wheel turns the list only while it has the keyboard focus.
// - Assistive technology reads the list's own name whatever its text shows, and
//   the chosen class as its value and description (class_list_accessible.h).
class ClassList final : public QComboBox {
    Q_OBJECT

public:
    // Shows the entries of `entries`, or of a model of its own when none is given.
    explicit ClassList(QWidget* parent = nullptr, QAbstractItemModel* entries = nullptr);

    // Nothing chosen: no entry selected and "Class" in the text field.
    void clearChoice();
    // Entry `index` chosen (-1: nothing), its whole name in the text field; nothing
    // changes, and nothing is told to a screen reader, when the list shows it already.
    void choose(int index);
    // Ends editing of the text field as above; does nothing while the field shows
    // the entry chosen (or "Class" with none chosen).
    void settleText();

    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int matchingEntry(const QString& text) const;
    void tellKept(const QString& text, int kept);
    // Whether the text field shows the chosen entry, or "Class" with none chosen.
    bool showsChoice() const;
    void showChoice(int index);
    int popupViewWidth() const;
    void completeOnFirstUse();

    bool focusedByClick_ = false;
    bool completerReady_ = false;
    SpokenNotice* keptNotice_ = nullptr;  // built on the first name of no class
};
