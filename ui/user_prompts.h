#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Where an open-file dialog opens, and afterwards where the user left it: the
// folder shown and the filter entry in use (empty for the first entry).
struct FileDialogPlace {
    QString folder;
    QString filter;
};

// The window's dialogs: the real Qt ones in the program, scripted answers in tests.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Shows a modal open-file dialog at `place`; returns the chosen file's full path,
    // or an empty string when the user cancelled. Either way `place` then holds the
    // folder and filter the dialog was left with, as far as the dialog tells.
    virtual QString chooseOpenFile(QWidget* parent, const QString& title, FileDialogPlace& place,
                                   const QStringList& filters) = 0;

    // Shows a modal save-file dialog proposing `proposedPath`, which asks before
    // replacing a file; returns the chosen path (with `suffix` added when the name
    // has none), or an empty string when the user cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& title,
                                   const QString& proposedPath, const QStringList& filters,
                                   const QString& suffix) = 0;

    // Shows a modal message box whose text is plain text (never markup) and
    // returns the button that closed it.
    virtual QMessageBox::StandardButton showMessage(QWidget* parent, const QString& title,
                                                    const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton,
                                                    QMessageBox::Icon icon) = 0;

    // Shows a modal question in plain text whose buttons carry the captions in
    // `choices`; returns the index of the button pressed, and `escapeChoice` when
    // the box is closed with Escape or its close button.
    virtual int askChoice(QWidget* parent, const QString& title, const QString& text,
                          const QStringList& choices, int defaultChoice, int escapeChoice,
                          QMessageBox::Icon icon) = 0;

    // Asks for a line of text, offering `text`; a null string when the user cancelled.
    virtual QString askText(QWidget* parent, const QString& title, const QString& label,
                            const QString& text) = 0;

protected:
    UserPrompts() = default;
    UserPrompts(const UserPrompts&) = default;
    UserPrompts& operator=(const UserPrompts&) = default;
};
