#include "class_list.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "accessible_factory.h"
#include "class_list_accessible.h"
#include "class_lookup.h"
#include "spoken_notice.h"

namespace {

const QString kNothingChosen = QStringLiteral("Class");

QCompleter* standInCompleter() {
    static QPointer<QCompleter> standIn;
    if (standIn == nullptr) {
        standIn = new QCompleter(QCoreApplication::instance());
    }
    return standIn;
}

}  // namespace

ClassList::ClassList(QWidget* parent, QAbstractItemModel* entries) : QComboBox(parent) {
    installAccessibleFactoryOnce<accessibleClassList>();
    // Before the text field: a new model would go to its completer too, and the
    // stand-in below is every list's.
    if (entries != nullptr) {
        setModel(entries);
        setCurrentIndex(-1);
    }
    // Giving the list its text field directly makes it editable without building
    // its drop-down until first opened, which setEditable() does at once: ten of
    // those were a tenth of the start-up.
    auto* field = new QLineEdit(this);
    // Nor its completer until first used (completeOnFirstUse()): the combo box
    // makes one for a field without one, and ten of those were a twentieth of the
    // start-up. Every list's field holds the same empty stand-in until then.
    field->setCompleter(standInCompleter());
    // Settled before the combo box's own handler sees the end of editing: that one
    // picks the first entry of a name, though the user chose a later one alike.
    connect(field, &QLineEdit::editingFinished, this, &ClassList::settleText);
    setLineEdit(field);
    field->installEventFilter(this);
    setInsertPolicy(QComboBox::NoInsert);
    // Not the default wheel focus: rolling the wheel over an unfocused list must
    // neither take the focus nor change the class.
    setFocusPolicy(Qt::StrongFocus);
    setEditText(kNothingChosen);
    showChoice(-1);
    connect(this, &QComboBox::currentIndexChanged, this, &ClassList::showChoice);
}

// The completer the combo box would have made: the entries, completed in the
// field as typed, letter case ignored.
void ClassList::completeOnFirstUse() {
    if (completerReady_) {
        return;
    }
    completerReady_ = true;
    auto* completer = new QCompleter(model(), lineEdit());
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setCompletionColumn(modelColumn());
    setCompleter(completer);
}

void ClassList::showChoice(int index) {
    setToolTip(index > 0 ? itemText(index) : QString());
    // Sent on as a change of description, which a screen reader speaks.
    setAccessibleDescription(index >= 0 ? QStringLiteral("Chosen class: %1").arg(itemText(index))
                                        : QStringLiteral("No class chosen"));
    // A name longer than its field shows from its start, not its end.
    lineEdit()->setCursorPosition(0);
}

void ClassList::clearChoice() {
    setCurrentIndex(-1);
    setEditText(kNothingChosen);
}

bool ClassList::showsChoice() const {
    // The text is compared, not the field's modified flag: inline completion sets
    // the text anew at every key, which clears that flag.
    const int index = currentIndex();
    return lineEdit()->text() == (index >= 0 ? itemText(index) : kNothingChosen);
}

void ClassList::choose(int index) {
    if (index == currentIndex() && showsChoice()) {
        return;
    }
    if (index < 0) {
        clearChoice();
    } else if (index != currentIndex()) {
        setCurrentIndex(index);
    } else {
        // The entry already chosen, under text being edited.
        setEditText(itemText(index));
        lineEdit()->setCursorPosition(0);
    }
}

void ClassList::settleText() {
    if (showsChoice()) {
        return;
    }
    const QString text = lineEdit()->text();
    int index = currentIndex();
    const int match = matchingEntry(text);
    if (match >= 0) {
        index = match;
    }
    setCurrentIndex(index);
    setEditText(index >= 0 ? itemText(index) : kNothingChosen);
    lineEdit()->setCursorPosition(0);
    if (match < 0 && !text.isEmpty()) {
        tellKept(text, index);
    } else {
        setToolTip(index > 0 ? itemText(index) : QString());
    }
}

// A name that finds no class is not dropped in silence. The closest name is
// sought only here, once a name has failed.
void ClassList::tellKept(const QString& text, int kept) {
    QString told = QStringLiteral("No class named \"%1\"; ").arg(text);
    told += kept >= 0 ? QStringLiteral("kept %1.").arg(itemText(kept))
                      : QStringLiteral("no class chosen.");
    std::vector<std::string> classes;
    for (int entry = 1; entry < count(); ++entry) {
        classes.push_back(itemText(entry).toStdString());
    }
    if (const auto closest = vostrel::closestEntry(classes, text.toStdString())) {
        told += QStringLiteral(" Did you mean %1?").arg(itemText(static_cast<int>(*closest) + 1));
    }
    setToolTip(told);
    // Told once the focus has moved on, which a screen reader announces first; and
    // never while the window is being torn down, where editing ends as well.
    QTimer::singleShot(0, this, [this, told] {
        if (keptNotice_ == nullptr) {
            keptNotice_ = new SpokenNotice(parentWidget() != nullptr ? parentWidget() : this);
        }
        keptNotice_->say(told);
    });
}

// An entry equal letter case included wins over one equal only when case is
// ignored; among equals, the entry already chosen wins. Paste Build matches a
// pasted name by the same lookup.
int ClassList::matchingEntry(const QString& text) const {
    if (text.isEmpty()) {
        return -1;
    }
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count()));
    for (int entry = 0; entry < count(); ++entry) {
        entries.push_back(itemText(entry).toStdString());
    }
    const std::string name = text.toStdString();
    const vostrel::SoughtName sought{name};
    const int chosen = currentIndex();
    const std::optional<std::size_t> match = vostrel::findEntry(
        entries, {&sought, 1},
        chosen >= 0 ? std::optional(static_cast<std::size_t>(chosen)) : std::nullopt);
    return match ? static_cast<int>(*match) : -1;
}

void ClassList::showPopup() {
    QAbstractItemView* list = view();
    // Installed here, not in the constructor: view() builds the drop-down.
    list->installEventFilter(this);
    list->setMinimumWidth(popupViewWidth());
    QComboBox::showPopup();
    // Widened past the list, the drop-down may run off the screen's right edge.
    QWidget* popup = list->window();
    const QRect screenArea = screen()->availableGeometry();
    QRect frame = popup->geometry();
    frame.moveRight(std::min(frame.right(), screenArea.right()));
    frame.moveLeft(std::max(frame.left(), screenArea.left()));
    if (frame != popup->geometry()) {
        popup->move(frame.topLeft());
    }
}

int ClassList::popupViewWidth() const {
    const QAbstractItemView* list = view();
    int wanted = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    if (count() > maxVisibleItems()) {
        wanted += list->verticalScrollBar()->sizeHint().width();
    }
    const QWidget* popup = list->parentWidget();
    const QMargins frame = popup->contentsMargins();
    const int room = screen()->availableGeometry().width() - frame.left() - frame.right();
    return std::min(wanted, room);
}

// What is typed reaches the list, which has the focus, and goes on to its field.
bool ClassList::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod) {
        completeOnFirstUse();
    }
    return QComboBox::event(event);
}

// The focus arrives before the click that brought it: the click would then put
// the cursor where it landed, undoing the selection.
void ClassList::focusInEvent(QFocusEvent* event) {
    focusedByClick_ = event->reason() == Qt::MouseFocusReason;
    QComboBox::focusInEvent(event);
}

// A click on the arrow leaves the text as it was, and the next click in it too.
void ClassList::mousePressEvent(QMouseEvent* event) {
    focusedByClick_ = false;
    QComboBox::mousePressEvent(event);
}

void ClassList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

bool ClassList::eventFilter(QObject* watched, QEvent* event) {
    // Qt's drop-down lets Escape go on to the shortcuts of the window below it,
    // where a table window's Escape closes the whole window, not the drop-down.
    if (event->type() == QEvent::ShortcutOverride &&
        qobject_cast<QAbstractItemView*>(watched) != nullptr &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        event->accept();
        return true;
    }
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress &&
        (focusedByClick_ || showsChoice())) {
        focusedByClick_ = false;
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            lineEdit()->selectAll();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}
