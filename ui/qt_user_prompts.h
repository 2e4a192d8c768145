#pragma once

#include "user_prompts.h"

// The program's prompts: Qt's own file dialog and message box.
class QtUserPrompts final : public UserPrompts {
public:
    QString chooseOpenFile(QWidget* parent, const QString& title, FileDialogPlace& place,
                           const QStringList& filters) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                           const QStringList& filters, const QString& suffix) override;
    QMessageBox::StandardButton showMessage(QWidget* parent, const QString& title,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton,
                                            QMessageBox::Icon icon) override;
    int askChoice(QWidget* parent, const QString& title, const QString& text,
                  const QStringList& choices, int defaultChoice, int escapeChoice,
                  QMessageBox::Icon icon) override;
    QString askText(QWidget* parent, const QString& title, const QString& label,
                    const QString& text) override;
};
