// File > Open Class File..., File > Reload Class File, the notice of a changed file,
// and rows that move.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "window_test_support.h"

class Form1ReloadTest : public ShownWindowTest {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    QString path_ = folder_.filePath("classes.csv");

    // The loaded file, a copy of `classFile` that the test may change.
    void loadCopyOf(const char* classFile) {
        QFile::remove(path_);
        QVERIFY(QFile::copy(testDataFile(classFile), path_));
        reload(path_.toUtf8().constData());
    }
    // What the window and every window it opened show: texts, choices and table cells.
    QStringList shown() const {
        QStringList texts;
        for (const QLineEdit* field : window_->findChildren<QLineEdit*>()) {
            texts << field->text();
        }
        for (const QComboBox* list : window_->findChildren<QComboBox*>()) {
            texts << QString::number(list->currentIndex()) << QString::number(list->count());
        }
        for (const QAbstractItemView* view : window_->findChildren<QAbstractItemView*>()) {
            const QAbstractItemModel* cells = view->model();
            for (int cell = 0; cell < cells->rowCount() * cells->columnCount(); ++cell) {
                texts << cells->index(cell / cells->columnCount(), cell % cells->columnCount())
                             .data()
                             .toString();
            }
        }
        return texts << output()->toPlainText();
    }
    void enterBuild() const {  // 2 Warden / Mystic, 1 Scout / Mystic
        for (int list = 0; list < 4; ++list) {
            classList(*window_, list)->setCurrentIndex(list == 2 ? 3 : 1 + list % 2);
        }
        levelBox(*window_, 0)->setText("2");
        levelBox(*window_, 1)->setText("1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    void ctrlR(const char* newFile) {
        QFile::remove(path_);
        QVERIFY(QFile::copy(testDataFile(newFile), path_));
        QApplication::setActiveWindow(window_.get());
        QTest::keyClick(levelBox(*window_, 4), Qt::Key_R, Qt::ControlModifier);
    }

private slots:
    void reload_keeps_the_build_by_name_names_what_is_lost_and_refreshes_open_windows() {
        loadCopyOf("warden_mystic_scout.csv");
        enterBuild();
        QTest::keyClick(levelBox(*window_, 4), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        for (const Qt::Key key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5}) {
            QTest::keyClick(levelBox(*window_, 4), key);
        }
        control<QComboBox>(*window_, "withClassList")->setCurrentIndex(2);  // Mystic
        const QStringList before = shown();
        // Action: the file now holds Mystic and Warden, Warden with a d12, and no Scout.
        ctrlR("mystic_warden_changed.csv");
        // Expected: Warden and Mystic kept at their new places, Scout's list at <None>.
        QCOMPARE(prompts_.messageRequests.constLast().text,
                 "Row 2, first class: the file no longer has a class named \"Scout\".");
        QCOMPARE(classList(*window_, 0)->currentText(), "Warden");
        QCOMPARE(classList(*window_, 0)->currentIndex(), 2);
        QCOMPARE(classList(*window_, 2)->currentText(), "<None>");
        QCOMPARE(levelBox(*window_, 1)->text(), "1");
        QVERIFY(output()->toPlainText().startsWith("HD=2d12"));
        const auto* levels = control<QAbstractItemView>(*window_, "levelsTable");
        QCOMPARE(levels->model()->index(0, 2).data(), "d12");
        QCOMPARE(control<QComboBox>(*window_, "withClassList")->currentIndex(), 1);
        const auto* classes = control<QAbstractItemView>(*window_, "classesTable");
        QCOMPARE(classes->model()->index(1, 2).data(), "d12");
        // The kept build follows its classes too: Scout's row stops it.
        const auto* kept = control<QAbstractItemView>(*window_, "buildsTable");
        QCOMPARE(kept->model()->index(1, 1).data(), "2d12");
        QVERIFY(shown() != before);
        // A refused file changes nothing anywhere.
        const QStringList reloaded = shown();
        ctrlR("refused.csv");
        QCOMPARE(prompts_.messageRequests.constLast().icon, QMessageBox::Warning);
        QCOMPARE(shown(), reloaded);
    }

    void a_changed_file_is_noticed_once_a_save_seen_and_heard() {
        loadCopyOf("warden_mystic_scout.csv");
        QTRY_VERIFY(window_->findChild<QObject*>("ClassFileWatch") != nullptr);
        const AccessibilityEvents events({QAccessible::ObjectShow});
        // A spreadsheet's save, renaming a new file over the old, then a save in place.
        QVERIFY(QFile::copy(testDataFile("ironclad_seer.csv"), path_ + ".new"));
        QVERIFY(std::rename(qPrintable(path_ + ".new"), qPrintable(path_)) == 0);
        QTRY_COMPARE(events.on(nullptr).size(), 1);
        QFile file(path_);
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write("\n") == 1);
        file.close();
        QTRY_COMPARE(events.on(nullptr).size(), 2);
        // Another file in the folder is no change.
        QVERIFY(QFile(folder_.filePath("other.csv")).open(QIODevice::WriteOnly));
        QTest::qWait(300);
        QVERIFY(control<QLabel>(*window_, "fileNotice")->isVisible());
        QVERIFY(QFile::remove(path_));
        const QString changed = "notification classes.csv changed on disk: Ctrl+R reloads it";
        QTRY_COMPARE(events.on(nullptr),
                     QStringList({changed, changed,
                                  "notification classes.csv is gone from disk: the classes "
                                  "loaded stay"}));
    }

    void rows_move_by_keys_and_context_menu_the_focus_going_along_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("command");  // Ctrl+ an arrow, or a context menu item
        QTest::addColumn<QString>("to");       // the focused control afterwards
        QTest::addColumn<QString>("rows");     // levels, first and second list, row by row
        QTest::addColumn<QString>("told");
        QTest::newRow("second list up") << "Cbo_Class_3"
                                        << "Up"
                                        << "Cbo_Class_1"
                                        << "1 3 2, 2 1 2, 0 -1 -1"
                                        << "Row 2 moved to row 1.";
        QTest::newRow("level box down") << "Txt_Lvl_1"
                                        << "Down"
                                        << "Txt_Lvl_2"
                                        << "2 1 2, 0 -1 -1, 1 3 2"
                                        << "Row 2 moved to row 3.";
        QTest::newRow("first row stays first") << "Cbo_Class_0"
                                               << "Up"
                                               << "Cbo_Class_0"
                                               << "2 1 2, 1 3 2, 0 -1 -1"
                                               << "";
        QTest::newRow("menu of a list: Move Up") << "Cbo_Class_2"
                                                 << "Move Up"
                                                 << "Cbo_Class_0"
                                                 << "1 3 2, 2 1 2, 0 -1 -1"
                                                 << "Row 2 moved to row 1.";
        QTest::newRow("menu of a level box: Clear Row") << "Txt_Lvl_1"
                                                        << "Clear Row"
                                                        << "Txt_Lvl_1"
                                                        << "2 1 2, 0 0 0, 0 -1 -1"
                                                        << "Row 2 cleared.";
    }
    void rows_move_by_keys_and_context_menu_the_focus_going_along() {
        QFETCH(QString, from);
        QFETCH(QString, command);
        enterBuild();
        output()->clear();
        control<QWidget>(*window_, from)->setFocus();
        const AccessibilityEvents events({QAccessible::ObjectShow});
        if (command.size() > 4) {
            QTimer::singleShot(0, [command] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                for (QAction* item : menu->actions()) {
                    if (item->text().startsWith(command)) {
                        menu->setActiveAction(item);
                    }
                }
                QTest::keyClick(menu, Qt::Key_Return);
            });
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2}, {2, 2});
            QApplication::sendEvent(QApplication::focusWidget(), &menuKey);
        } else {
            QTest::keyClick(QApplication::focusWidget(),
                            command == "Up" ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        }
        QStringList rows;
        for (int row = 0; row < 3; ++row) {
            rows << QStringLiteral("%1 %2 %3")
                        .arg(levelBox(*window_, row)->text())
                        .arg(classList(*window_, 2 * row)->currentIndex())
                        .arg(classList(*window_, 2 * row + 1)->currentIndex());
        }
        QTEST(rows.join(", "), "rows");
        QTEST(window_->focusWidget()->objectName(), "to");
        QFETCH(QString, told);  // Go ran, and a screen reader hears where the row went
        QCOMPARE(output()->toPlainText().isEmpty(), told.isEmpty());
        QCOMPARE(events.on(nullptr).value(0).section('\n', 0, 0),
                 told.isEmpty() ? "" : "notification " + told);
    }
};

int main(int argc, char** argv) {
    return runWindowTests<Form1ReloadTest>(argc, argv);
}

#include "test_form1_reload.moc"
