#pragma once

#include <QList>
#include <QWidget>

#include "printed_document.h"
#include "table_model.h"
#include "table_view.h"

class QLabel;
class QLayout;
class QPushButton;

// A window of its own holding a table, opened from the main window.
// - Built on first use; closing it only hides it, and it closes with the main window.
// - Escape closes it.
// - First shown beside the main window and the other table windows, on the screen.
// - Not kept above the main window: raising that one may cover it.
// - Opens with the focus in the table; when there is nothing to show, a screen
//   reader hears why right after the window's title.
// - The main window's menu commands work here by their shortcuts as well, acting on
//   the main window's build; where this window has a command of its own on the
//   same shortcut (Ctrl+C copies the table), its own one wins.
// - Ctrl+P prints the table as it is shown, its rows in their order, sorted and
//   filtered as they are, where the main window's Ctrl+P prints the build sheet.
class TableWindow : public QWidget {
    Q_OBJECT

public:
    // Shows the window (placed the first time) and brings it forward.
    void present();

    // What Ctrl+P prints: the window's title, what the table shows (printedContext())
    // and the table's rows in the order shown.
    PrintedDocument printedDocument() const;

protected:
    TableWindow(QWidget& mainWindow, const QString& objectName, const QString& title);

    // What goes around the table, top to bottom; every part may be left out.
    struct Parts {
        QLayout* controls = nullptr;  // a row above the table: what it shows
        // The table may give way to a message (messageLabel): see showMessage().
        bool messageInPlace = false;
        // More about the selected row, under the table, with a handle between them.
        QWidget* pane = nullptr;
        QList<QPushButton*> buttons;  // at the bottom right, in this order
    };
    // Lays the window out around `table`; once, from the constructor.
    void setParts(TableView& table, const Parts& parts);

    // What the window would like, inside its frame, and the narrowest width
    // that still shows what matters.
    virtual QSize preferredSize() const = 0;
    virtual int narrowestWidth() const = 0;
    // Gives the focus to what a keyboard user starts from, after each present():
    // the table, unless a message stands in its place.
    virtual void focusContents();
    // Lines under the printed title saying what the table holds, as the controls
    // above it choose; none by default.
    virtual QStringList printedContext() const { return {}; }

    // Shows `message` in place of the table, heard on opening as below; the table
    // again when `message` is empty.
    void showMessage(const QString& message);
    bool showsMessage() const;
    // Why there is nothing to show, read by a screen reader as the window opens,
    // after its title; empty when there is something.
    void setOpeningMessage(const QString& message);

    bool placed() const { return placed_; }
    // Places the window anew, no smaller than it is.
    void placeAgain();
    // A "Copy All" button for `view`; Enter on it presses it.
    QPushButton* makeCopyAllButton(TableView& view);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void shareMainCommands();
    void printTable();

    QWidget& mainWindow_;
    TableView* table_ = nullptr;
    QLabel* messageLabel = nullptr;
    bool placed_ = false;
};
