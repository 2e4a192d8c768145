#include "qt_user_prompts.h"

#include <QFileDialog>
#include <QPushButton>

QString QtUserPrompts::chooseOpenFile(QWidget* parent, const QString& title, FileDialogPlace& place,
                                      const QStringList& filters) {
    QFileDialog dialog(parent, title, place.folder);
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

QMessageBox::StandardButton QtUserPrompts::showMessage(QWidget* parent, const QString& title,
                                                       const QString& text,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton,
                                                       QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, buttons, parent);
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
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
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
