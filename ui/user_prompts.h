#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// The window's dialogs: the real Qt ones in the program, scripted answers in tests.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Shows a modal open-file dialog; returns the chosen file's full path, or an
    // empty string when the user cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                   const QStringList& filters) = 0;

    // Shows a modal message box whose text is plain text (never markup) and
    // returns the button that closed it.
    virtual QMessageBox::StandardButton showMessage(QWidget* parent, const QString& title,
                                                    const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton,
                                                    QMessageBox::Icon icon) = 0;

protected:
    UserPrompts() = default;
    UserPrompts(const UserPrompts&) = default;
    UserPrompts& operator=(const UserPrompts&) = default;
};
