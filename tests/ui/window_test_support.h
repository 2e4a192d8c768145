#pragma once

#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "form1.h"
#include "user_prompts.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// What the window asked of its prompts, and the scripted answers it gets back.
struct FileRequest {
    QString title;
    QString folder;
    QString filter;
    QStringList filters;
    bool windowShown = false;
};

struct MessageRequest {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // Only for questions with buttons of their own captions.
    QStringList choices;
    int defaultChoice = -1;
    int escapeChoice = -1;
};

class ScriptedPrompts final : public UserPrompts {
public:
    QStringList fileAnswers;  // an empty answer is a cancelled dialog
    // Where the user leaves each dialog; when these run out, where it opened.
    QList<FileDialogPlace> placesLeft;
    QList<QMessageBox::StandardButton> messageAnswers;
    QList<int> choiceAnswers;
    QStringList textAnswers;  // a null answer is a cancelled question
    QList<FileRequest> fileRequests;
    QList<MessageRequest> messageRequests;  // questions with choices too
    QStringList saveAnswers;                // an empty answer is a cancelled dialog
    QStringList saveProposals;              // the paths the save dialog proposed

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

private:
    bool unscriptedFileAnswerGiven_ = false;
};

// Fails the running test and closes any modal window still open after the
// timeout, so that an unexpected box ends the run instead of hanging it.
class ModalWatchdog {
public:
    ModalWatchdog();
    void arm() { timer_.start(); }
    void disarm() { timer_.stop(); }

private:
    QTimer timer_;
};

// Turns Qt's accessibility on, as a screen reader's bridge does, and records the
// events of `kinds` it is told of with the text the bridge then reads: changes of
// value and description ("value Mystic", "description Chosen class: Mystic"), the
// focus ("focus Go"), notifications appearing ("notification Character above
// 20th level") and a window's activation with the description it then carries
// ("activation, description ..."). Off again when destroyed.
class AccessibilityEvents {
public:
    explicit AccessibilityEvents(QList<QAccessible::Event> kinds = {QAccessible::DescriptionChanged,
                                                                    QAccessible::ValueChanged});
    ~AccessibilityEvents();
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // What was told of `object`, or of every object for nullptr.
    QStringList on(const QObject* object) const;
};

// A file of the test data folder, or `name` itself when it is a whole path.
QString testDataFile(const char* name);

// A window loaded from `classFile`, the dialog answered once with that file.
std::unique_ptr<Form1> loadedWindow(ScriptedPrompts& prompts,
                                    const char* classFile = "warden_mystic_scout.csv");
void showAndActivate(QWidget& window);

template <typename Control>
Control* control(const QWidget& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    if (found == nullptr) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}
QLineEdit* levelBox(const QWidget& window, int index);
QComboBox* classList(const QWidget& window, int index);

// Replaces a level box's text by typing `keys` over it, as a user would.
void typeOver(QLineEdit* box, const QString& keys);
// Opens the list's drop-down and clicks the entry at `row`.
void pickEntry(QComboBox* list, int row);

// Each test starts from a window loaded from `classFile`, shown and active, under
// a watchdog.
class ShownWindowTest : public QObject {
    Q_OBJECT

public:
    explicit ShownWindowTest(const char* classFile = "warden_mystic_scout.csv")
        : classFile_(classFile) {}

protected:
    ScriptedPrompts prompts_;
    ModalWatchdog watchdog_;
    std::unique_ptr<Form1> window_;

    QPlainTextEdit* output() const;
    // Starts over from a window loaded from `classFile`, shown and active.
    void reload(const char* classFile);
    // Presses `key` where the focus is; the table window `name` it opened, shown and active.
    QWidget* openTableWindow(Qt::Key key, const char* name) const;

private:
    const char* classFile_;

private slots:
    void init();
    void cleanup();
};

template <typename Test>
int runWindowTests(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // A closed test window must not end the event loops of the tests after it.
    QApplication::setQuitOnLastWindowClosed(false);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
