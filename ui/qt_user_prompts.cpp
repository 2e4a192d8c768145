#include "qt_user_prompts.h"

#include <QFileDialog>

QString QtUserPrompts::chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                      const QStringList& filters) {
    QFileDialog dialog(parent, title, folder);
    dialog.setObjectName(QStringLiteral("Dialogbox"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
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
