#include "qt_user_prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPushButton>

namespace {

// A dialog is centred on its parent; a window not shown yet (during the start-up
// load) still sits at the screen's top left. Without it, a dialog is centred on
// the screen instead, on every platform, and takes its icon from it.
QWidget* shownOrNone(QWidget* parent) {
    return parent != nullptr && parent->isVisible() ? parent : nullptr;
}

void takeIcon(QWidget& dialog, const QWidget* parent) {
    if (parent != nullptr) {
        dialog.setWindowIcon(parent->windowIcon());
    }
}

}  // namespace

QString QtUserPrompts::chooseOpenFile(QWidget* parent, const QString& title, FileDialogPlace& place,
                                      const QStringList& filters) {
    QFileDialog dialog(shownOrNone(parent), title, place.folder);
    takeIcon(dialog, parent);
    dialog.setObjectName(QStringLiteral("Dialogbox"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!place.filter.isEmpty()) {
        dialog.selectNameFilter(place.filter);
    }
    const bool chosen = dialog.exec() == QDialog::Accepted;
    place.folder = dialog.directory().absolutePath();
    place.filter = dialog.selectedNameFilter();
    const QStringList files = dialog.selectedFiles();
    return chosen && !files.isEmpty() ? files.constFirst() : QString();
}

QString QtUserPrompts::chooseSaveFile(QWidget* parent, const QString& title,
                                      const QString& proposedPath, const QStringList& filters,
                                      const QString& suffix) {
    const QFileInfo proposed(proposedPath);
    QFileDialog dialog(shownOrNone(parent), title, proposed.absolutePath());
    takeIcon(dialog, parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(proposed.fileName());
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
}

QMessageBox::StandardButton QtUserPrompts::showMessage(QWidget* parent, const QString& title,
                                                       const QString& text,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton,
                                                       QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, buttons, shownOrNone(parent));
    takeIcon(box, parent);
    // Texts can come from a class file; plain text keeps them from carrying markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    if (buttons.testFlag(QMessageBox::Cancel)) {
        box.setEscapeButton(QMessageBox::Cancel);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

int QtUserPrompts::askChoice(QWidget* parent, const QString& title, const QString& text,
                             const QStringList& choices, int defaultChoice, int escapeChoice,
                             QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, shownOrNone(parent));
    takeIcon(box, parent);
    box.setTextFormat(Qt::PlainText);
    QList<QPushButton*> buttons;
    for (int i = 0; i < choices.size(); ++i) {
        buttons.append(box.addButton(
            choices[i], i == escapeChoice ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (defaultChoice >= 0 && defaultChoice < buttons.size()) {
        box.setDefaultButton(buttons[defaultChoice]);
    }
    if (escapeChoice >= 0 && escapeChoice < buttons.size()) {
        box.setEscapeButton(buttons[escapeChoice]);
    }
    box.exec();
    const auto pressed =
        static_cast<int>(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return pressed < 0 ? escapeChoice : pressed;
}

QString QtUserPrompts::askText(QWidget* parent, const QString& title, const QString& label,
                               const QString& text) {
    QInputDialog dialog(shownOrNone(parent));
    takeIcon(dialog, parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
