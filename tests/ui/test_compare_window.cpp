// Edit > Keep Build and View > Compare Builds: builds kept, never lost when replaced,
// and set side by side.
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>

#include "window_test_support.h"

class CompareWindowTest : public ShownWindowTest {
    Q_OBJECT

private:
    QWidget* compare_ = nullptr;
    QTableView* table(const char* name) const { return control<QTableView>(*compare_, name); }
    QStringList column(const char* name, int column) const {
        QStringList cells;
        for (int row = 0; row < table(name)->model()->rowCount(); ++row) {
            cells.append(table(name)->model()->index(row, column).data().toString());
        }
        return cells;
    }
    void enter(const char* levels, int first, int second) const {
        levelBox(*window_, 0)->setText(levels);
        classList(*window_, 0)->setCurrentIndex(first);
        classList(*window_, 1)->setCurrentIndex(second);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void click(const char* button, int keptRow = -1) const {
        if (keptRow >= 0) {
            table("buildsTable")->setCurrentIndex(table("buildsTable")->model()->index(keptRow, 0));
        }
        control<QPushButton>(*compare_, button)->click();
    }

private slots:
    void keeps_each_build_once_and_asks_which_to_let_go_when_full() {
        enter("1", 1, 2);
        for (int levels = 1; levels <= 8; ++levels) {
            levelBox(*window_, 0)->setText(QString::number(levels));
            press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        }
        press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);  // 8 levels again
        levelBox(*window_, 0)->setText("9");
        prompts_.choiceAnswers = {8, 2};  // Cancel, then let Build 3 go
        press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(prompts_.messageRequests[0].text, "This build is already kept, as \"Build 8\".");
        QCOMPARE(prompts_.messageRequests[1].choices,
                 (QStringList{"Build 1", "Build 2", "Build 3", "Build 4", "Build 5", "Build 6",
                              "Build 7", "Build 8", "Cancel"}));
        QCOMPARE(prompts_.messageRequests.size(), 3);
        compare_ = openTableWindow(Qt::Key_F5, "CompareWindow");
        QCOMPARE(column("buildsTable", 0),
                 (QStringList{"Current build", "Build 1", "Build 2", "Build 4", "Build 5",
                              "Build 6", "Build 7", "Build 8", "Build 3"}));
    }

    void use_rename_remove_and_paste_keep_what_they_replace() {
        enter("4", 1, 2);  // Warden / Mystic
        press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        enter("6", 3, 3);  // Scout alone
        compare_ = openTableWindow(Qt::Key_F5, "CompareWindow");
        QCOMPARE(compare_->windowTitle(), "Compare Builds - Vostrel Progression Calculator");
        QCOMPARE(column("compareTable", 5), (QStringList{"1", "2", "3 ★", "4 ★", "-", "-"}));
        typeOver(levelBox(*window_, 0), "3");
        control<QPushButton>(*window_, "Cmd_go")->click();
        QCOMPARE(column("compareTable", 0).size(), 4);  // refreshed on Go
        prompts_.textAnswers = {"Warden plan"};
        click("renameButton", 1);
        QCOMPARE(table("compareTable")->model()->headerData(5, Qt::Horizontal), "Warden plan BAB");
        QGuiApplication::clipboard()->setText("2 Scout / Mystic");
        control<QAction>(*window_, "Menu_PasteBuild")->trigger();
        click("useButton", 1);
        QCOMPARE(levelBox(*window_, 0)->text(), "4");
        QCOMPARE(classList(*window_, 1)->currentText(), "Mystic");
        QCOMPARE(column("buildsTable", 0),
                 (QStringList{"Current build", "Warden plan", "Before Paste Build",
                              "Before Use Warden plan"}));
        click("removeButton", 2);
        QCOMPARE(column("buildsTable", 0),
                 (QStringList{"Current build", "Warden plan", "Before Use Warden plan"}));
        QCOMPARE(column("buildsTable", 2), (QStringList{"4 ★", "4 ★", "2"}));  // BAB
    }

    void add_from_clipboard_refuses_as_paste_build_and_leaves_the_rows() {
        enter("5", 1, 3);
        compare_ = openTableWindow(Qt::Key_F5, "CompareWindow");
        QGuiApplication::clipboard()->setText("4 Mystic / Tidecaler");
        click("addButton");
        QCOMPARE(prompts_.messageRequests.constFirst().title, "Add From Clipboard");
        QCOMPARE(prompts_.messageRequests.constFirst().text,
                 "line 1: the loaded file has no class named \"Tidecaler\"");
        QCOMPARE(prompts_.messageRequests.size(), 1);
        QGuiApplication::clipboard()->setText("4 Mystic / Scout");
        click("addButton");
        QCOMPARE(column("buildsTable", 0), (QStringList{"Current build", "Build 1"}));
        QCOMPARE(levelBox(*window_, 0)->text(), "5");
    }

    void copies_in_view_order_after_a_sort_and_lists_features_by_first_level() {
        enter("4", 1, 2);
        press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        enter("4", 3, 3);
        compare_ = openTableWindow(Qt::Key_F5, "CompareWindow");
        const QModelIndex best = table("compareTable")->model()->index(3, 5);
        QCOMPARE(best.data(Qt::AccessibleDescriptionRole),
                 "the best of the builds; +1 over the current build");
        table("compareTable")->sortByColumn(5, Qt::DescendingOrder);
        control<QPushButton>(*window_, "Cmd_go")->click();  // new rows, sorted as before
        click("copyAllButton");
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QVERIFY(lines[0].startsWith("Level\tCurrent build BAB\tCurrent build Fort\t"));
        QVERIFY(lines[1].startsWith("4\t3\t+1\t+4\t+1\t4\t"));
        table("compareTable")->setCurrentIndex(table("compareTable")->model()->index(1, 0));
        QTest::keyClick(table("compareTable"), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().split('\n')[1].startsWith("3\t"));
        control<QTabBar>(*compare_, "viewTabs")->setCurrentIndex(1);
        QCOMPARE(column("compareTable", 1).mid(0, 4),
                 (QStringList{"Light step", "Guard duty", "Candle sight", "Keen ears"}));
        QCOMPARE(table("compareTable")->model()->index(1, 1).data(Qt::ToolTipRole),
                 "Guard duty: current build -, Build 1 1");
    }
};

int main(int argc, char** argv) {
    return runWindowTests<CompareWindowTest>(argc, argv);
}

#include "test_compare_window.moc"
