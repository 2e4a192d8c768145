// Exit, About, Copy Build and Paste Build, from their menus and shortcuts, and the
// window's close button.
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "window_test_support.h"

class Form1MenusTest : public ShownWindowTest {
    Q_OBJECT

private:
    void expectExitQuestion() const {
        QCOMPARE(prompts_.messageRequests.size(), 1);
        const MessageRequest& question = prompts_.messageRequests.constFirst();
        QCOMPARE(question.title, QStringLiteral("Exiting..."));
        QCOMPARE(question.text, QStringLiteral("Exit?"));
        QCOMPARE(question.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(question.defaultButton, QMessageBox::Ok);
        QCOMPARE(question.icon, QMessageBox::NoIcon);
    }

private slots:
    void ctrl_x_asks_to_exit_wherever_the_focus_is_data() {
        QTest::addColumn<QString>("controlName");
        QTest::newRow("level box") << "Txt_Lvl_2";
        QTest::newRow("class list text field") << "Cbo_Class_3";
        QTest::newRow("output box") << "Txt_Output";
        QTest::newRow("Go button") << "Cmd_go";
    }
    void ctrl_x_asks_to_exit_wherever_the_focus_is() {
        QFETCH(QString, controlName);
        // State: selected text in every text field, the focus on the control.
        levelBox(*window_, 2)->setText("12");
        levelBox(*window_, 2)->selectAll();
        classList(*window_, 3)->lineEdit()->selectAll();
        output()->setPlainText("Report");
        output()->selectAll();
        control<QWidget>(*window_, controlName)->setFocus();
        prompts_.messageAnswers = {QMessageBox::Cancel};
        // Action: Ctrl+X.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
        // Expected: the Exit question, and nothing cut.
        expectExitQuestion();
        QCOMPARE(levelBox(*window_, 2)->text(), QStringLiteral("12"));
        QCOMPARE(classList(*window_, 3)->currentText(), QStringLiteral("Class"));
        QCOMPARE(output()->toPlainText(), QStringLiteral("Report"));
        QVERIFY(window_->isVisible());
    }

    void alt_keys_type_nothing_but_altgr_and_f10_opens_the_menu_bar_data() {
        QTest::addColumn<QString>("controlName");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<bool>("menuOpens");
        QTest::addColumn<QString>("typed");  // the character that lands in the list
        QTest::newRow("Alt+F in a level box")
            << "Txt_Lvl_2" << (Qt::ALT | Qt::Key_F) << false << QString();
        QTest::newRow("Alt+1 in a level box")
            << "Txt_Lvl_2" << (Qt::ALT | Qt::Key_1) << false << QString();
        QTest::newRow("Alt+Shift+H in a class list")
            << "Cbo_Class_3" << (Qt::ALT | Qt::SHIFT | Qt::Key_H) << false << QString();
        QTest::newRow("Alt+E in the report box")
            << "Txt_Output" << (Qt::ALT | Qt::Key_E) << false << QString();
        QTest::newRow("Alt+Down in a class list opens its drop-down")
            << "Cbo_Class_3" << (Qt::ALT | Qt::Key_Down) << false << QString();
        QTest::newRow("F10 in a level box")
            << "Txt_Lvl_2" << QKeyCombination(Qt::Key_F10) << true << QString();
        QTest::newRow("F10 in a class list")
            << "Cbo_Class_3" << QKeyCombination(Qt::Key_F10) << true << QString();
        // AltGr arrives as Ctrl+Alt on many keyboards.
        QTest::newRow("AltGr+Q typing @ in a class list")
            << "Cbo_Class_3" << (Qt::CTRL | Qt::ALT | Qt::Key_Q) << false << "@";
        QTest::newRow("AltGr+Shift+L typing \u0141 in a class list")
            << "Cbo_Class_3" << (Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_L) << false << "\u0141";
        QTest::newRow("AltGr+E typing \u20ac in a class list")
            << "Cbo_Class_3" << (Qt::CTRL | Qt::ALT | Qt::Key_E) << false << "\u20ac";
    }
    void alt_keys_type_nothing_but_altgr_and_f10_opens_the_menu_bar() {
        QFETCH(QString, controlName);
        QFETCH(QKeyCombination, keys);
        QFETCH(bool, menuOpens);
        QFETCH(QString, typed);
        // State: a level count, a class chosen and a report, the focus on the control.
        levelBox(*window_, 2)->setText("7");
        pickEntry(classList(*window_, 3), 2);
        output()->setPlainText("Report");
        control<QWidget>(*window_, controlName)->setFocus();
        // Action: the keys.
        QWidget* focus = QApplication::focusWidget();
        if (typed.isEmpty()) {
            QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
        } else {
            QTest::sendKeyEvent(QTest::Click, focus, keys.key(), typed, keys.keyboardModifiers());
        }
        // Expected: nothing typed anywhere but AltGr's character, Alt+Down left to the list;
        // F10 opens the first menu at its first item, at once with no screen reader to wait for.
        QCOMPARE(levelBox(*window_, 2)->text(), QStringLiteral("7"));
        QCOMPARE(classList(*window_, 3)->currentText(), typed + "Mystic");
        QCOMPARE(output()->toPlainText(), QStringLiteral("Report"));
        QCOMPARE(classList(*window_, 3)->view()->isVisible(), keys.key() == Qt::Key_Down);
        classList(*window_, 3)->hidePopup();
        auto* file = control<QMenu>(*window_, "Menu_File");
        QCOMPARE(file->isVisible(), menuOpens);
        QCOMPARE(file->activeAction() != nullptr, menuOpens);
        file->close();
    }

    void f10_and_arrows_tell_each_menu_then_its_first_item_and_nothing_else() {
        // State: the focus on Go, whose description a screen reader would read.
        QWidget* go = control<QWidget>(*window_, "Cmd_go");
        go->setFocus();
        const AccessibilityEvents events({QAccessible::Focus});
        // Action: F10, then round the menu bar both ways and down two menus, a key at a
        // time; where only a title is told, the next key comes before the first item.
        const QList<std::pair<Qt::Key, QStringList>> steps{
            {Qt::Key_F10, {"focus File", "focus Open Class File...\tCtrl+O"}},
            {Qt::Key_Left, {"focus Help", "focus About\tF1"}},
            {Qt::Key_Right, {"focus File", "focus Open Class File...\tCtrl+O"}},
            {Qt::Key_Right, {"focus Edit", "focus Copy Build\tCtrl+Shift+C"}},
            {Qt::Key_Right, {"focus View"}},
            {Qt::Key_Right, {"focus Help", "focus About\tF1"}},
            {Qt::Key_Left, {"focus View", "focus Level by Level\tF2"}},
            {Qt::Key_Down, {"focus Classes\tF3"}},
            {Qt::Key_Left, {"focus Edit"}},
            {Qt::Key_Down, {"focus Copy Build\tCtrl+Shift+C"}},
            {Qt::Key_Down, {"focus Paste Build\tCtrl+Shift+V"}},
        };
        QStringList told;
        for (const auto& [key, heard] : steps) {
            QWidget* from = QApplication::activePopupWidget();
            QTest::keyClick(from != nullptr ? from : go, key);
            // Expected: the menu's title at once and its first item a moment later, for a
            // screen reader to say both; each item with its shortcut; nothing else.
            QCOMPARE(events.on(nullptr), told + heard.first(1));
            told += heard;
            QTRY_COMPARE(events.on(nullptr), told);
        }
        QTest::qWait(500);
        QCOMPARE(events.on(nullptr), told);
        QApplication::activePopupWidget()->close();
        QCOMPARE(QApplication::focusWidget(), go);
    }

    void exit_closes_the_window_only_when_answered_ok_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("OK closes") << QMessageBox::Ok << true;
        QTest::newRow("Cancel keeps everything") << QMessageBox::Cancel << false;
    }
    void exit_closes_the_window_only_when_answered_ok() {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, closed);
        // State: a build and a report on screen.
        levelBox(*window_, 0)->setText("4");
        classList(*window_, 0)->setCurrentIndex(1);
        classList(*window_, 1)->setCurrentIndex(2);
        control<QPushButton>(*window_, "Cmd_go")->click();
        const QString report = output()->toPlainText();
        prompts_.messageAnswers = {answer};
        // Action: File > Exit.
        control<QAction>(*window_, "Menu_Exit")->trigger();
        // Expected: closed on OK; on Cancel the build and report as they were.
        expectExitQuestion();
        QCOMPARE(window_->isVisible(), !closed);
        QCOMPARE(levelBox(*window_, 0)->text(), QStringLiteral("4"));
        QCOMPARE(classList(*window_, 1)->currentIndex(), 2);
        QCOMPARE(output()->toPlainText(), report);
    }

    void close_button_closes_without_asking() {
        QVERIFY(window_->close());
        QVERIFY(!window_->isVisible());
        QVERIFY(prompts_.messageRequests.isEmpty());
    }

    void copy_build_then_paste_it_back_over_another_build() {
        // State: the worked two-row build and its report.
        const QList<int> picks{1, 2, 3, 2};  // Warden, Mystic, Scout, Mystic
        for (int i = 0; i < picks.size(); ++i) {
            pickEntry(classList(*window_, i), picks[i]);
        }
        typeOver(levelBox(*window_, 0), "4");
        typeOver(levelBox(*window_, 1), "4");
        control<QPushButton>(*window_, "Cmd_go")->click();
        const QString report = output()->toPlainText();
        // Action: Scout picked in a list and "mystic" typed over it, Copy Build from there;
        // another build, and "Scout" typed over a Warden; Paste Build from a level box.
        const auto typeInto = [](QComboBox* list, const char* text) {
            list->lineEdit()->selectAll();
            QTest::keyClicks(list->lineEdit(), text);
        };
        pickEntry(classList(*window_, 1), 3);
        typeInto(classList(*window_, 1), "mystic");
        classList(*window_, 1)->lineEdit()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "4 Warden / Mystic\n4 Scout / Mystic\n\n" + report + "\n");
        typeOver(levelBox(*window_, 1), "9");
        pickEntry(classList(*window_, 2), 1);
        typeOver(levelBox(*window_, 2), "3");
        pickEntry(classList(*window_, 4), 3);
        control<QPushButton>(*window_, "Cmd_go")->click();
        typeInto(classList(*window_, 0), "Scout");
        QTest::keyClick(levelBox(*window_, 2), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        // Expected: the rows as the lists showed them, copied with full names and pasted
        // back over the typed text; the third row as at start, the report back.
        QCOMPARE(output()->toPlainText(), report);
        QCOMPARE(classList(*window_, 0)->currentText(), QStringLiteral("Warden"));
        QCOMPARE(levelBox(*window_, 1)->text(), QStringLiteral("4"));
        QCOMPARE(classList(*window_, 2)->currentText(), QStringLiteral("Scout"));
        QCOMPARE(levelBox(*window_, 2)->text(), QStringLiteral("0"));
        QCOMPARE(classList(*window_, 4)->currentIndex(), -1);
        QCOMPARE(classList(*window_, 4)->currentText(), QStringLiteral("Class"));
        QVERIFY(prompts_.messageRequests.isEmpty());
    }

    void paste_build_refused_changes_nothing_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("message");
        QTest::newRow("a class the file does not hold")
            << "2 Scout / Scout\n4 Mystic / Tidecaler"
            << "line 2: the loaded file has no class named \"Tidecaler\"";
        QTest::newRow("digits alone, which Ctrl+V still pastes into a level box")
            << "12"
            << "line 1: two class names parted by \" / \" must follow the level count";
        QTest::newRow("no text") << QString() << "The clipboard holds no build.";
    }
    void paste_build_refused_changes_nothing() {
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        // State: a one-row build and its report; the text on the clipboard.
        typeOver(levelBox(*window_, 0), "5");
        pickEntry(classList(*window_, 0), 3);
        pickEntry(classList(*window_, 1), 3);
        control<QPushButton>(*window_, "Cmd_go")->click();
        const QString report = output()->toPlainText();
        QGuiApplication::clipboard()->setText(clipboard);
        // Action: Paste Build, then Ctrl+V in the last level box.
        control<QAction>(*window_, "Menu_PasteBuild")->trigger();
        levelBox(*window_, 4)->selectAll();
        QTest::keyClick(levelBox(*window_, 4), Qt::Key_V, Qt::ControlModifier);
        // Expected: the message, the build and report as they were, Ctrl+V a plain paste.
        QCOMPARE(prompts_.messageRequests.size(), 1);
        QCOMPARE(prompts_.messageRequests.constFirst().text, message);
        QCOMPARE(prompts_.messageRequests.constFirst().icon, QMessageBox::Warning);
        QCOMPARE(output()->toPlainText(), report);
        QCOMPARE(levelBox(*window_, 0)->text(), QStringLiteral("5"));
        QCOMPARE(classList(*window_, 1)->currentIndex(), 3);
        QCOMPARE(classList(*window_, 2)->currentIndex(), -1);
        if (clipboard == QStringLiteral("12")) {
            QCOMPARE(levelBox(*window_, 4)->text(), clipboard);
        }
    }

    void main_window_commands_work_from_every_table_window_data() {
        QTest::addColumn<int>("opener");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("happened");  // the clipboard, prompts and windows shown
        const auto shiftCtrl = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Copy Build from Level by Level")
            << int{Qt::Key_F2} << "LevelByLevelWindow" << (shiftCtrl | Qt::Key_C)
            << "clipboard 1 Warden / Mystic\n";
        QTest::newRow("Ctrl+X in the Pairs level box: Exit")
            << int{Qt::Key_F4} << "PairsWindow" << (Qt::ControlModifier | Qt::Key_X)
            << "prompt Exiting...";
        QTest::newRow("F3 from Pairs opens Classes")
            << int{Qt::Key_F4} << "PairsWindow" << QKeyCombination(Qt::Key_F3) << "ClassesWindow";
        QTest::newRow("About from Classes")
            << int{Qt::Key_F3} << "ClassesWindow" << QKeyCombination(Qt::Key_F1) << "prompt About";
        QTest::newRow("Ctrl+C in Classes: its own copy wins")
            << int{Qt::Key_F3} << "ClassesWindow" << (Qt::ControlModifier | Qt::Key_C)
            << "clipboard Name\tHit Die";
    }
    void main_window_commands_work_from_every_table_window() {
        QFETCH(int, opener);
        QFETCH(QString, name);
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, happened);
        typeOver(levelBox(*window_, 0), "1");
        pickEntry(classList(*window_, 0), 1);
        pickEntry(classList(*window_, 1), 2);
        // A main-window command on the table's own Ctrl+C, such as a later menu might add.
        QAction* probe = control<QMenu>(*window_, "Menu_Edit")->addAction("Probe");
        probe->setShortcut(QKeySequence::Copy);
        connect(probe, &QAction::triggered, [] { QGuiApplication::clipboard()->setText("probe"); });
        QWidget* table = openTableWindow(Qt::Key(opener), qPrintable(name));
        if (name == QStringLiteral("PairsWindow")) {
            control<QWidget>(*table, "levelBox")->setFocus();
        }
        QGuiApplication::clipboard()->clear();
        prompts_.messageAnswers = {QMessageBox::Cancel};
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
        QString seen = "clipboard " + QGuiApplication::clipboard()->text();
        for (const MessageRequest& prompt : prompts_.messageRequests) {
            seen += " prompt " + prompt.title;
        }
        for (const char* other : {"LevelByLevelWindow", "ClassesWindow", "PairsWindow"}) {
            auto* shown = window_->findChild<QWidget*>(other);
            seen += shown != nullptr && shown->isVisible() && other != name ? other : "";
        }
        QVERIFY2(seen.contains(happened), qPrintable(seen));
        QVERIFY(window_->isVisible());
    }

    void f1_shows_about_in_five_lines_with_version() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(prompts_.messageRequests.size(), 1);
        const MessageRequest& about = prompts_.messageRequests.constFirst();
        QCOMPARE(about.title, QStringLiteral("About"));
        QCOMPARE(about.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(about.icon, QMessageBox::Information);
        const QStringList lines = about.text.split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.mid(0, 4), (QStringList{"Vostrel Progression Generator", "Version: 1.3.0",
                                               "Made by Kelmor", "Please Send Feedback to:"}));
        QVERIFY(lines[4].endsWith("@example.org"));
    }
};

int main(int argc, char** argv) {
    return runWindowTests<Form1MenusTest>(argc, argv);
}

#include "test_form1_menus.moc"
