// View > Level by Level: opening, refreshing on Go, its messages, copying and closing.
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTextDocument>

#include "window_test_support.h"

namespace {

// List rows of warden_mystic_scout.csv.
constexpr int kWarden = 1;
constexpr int kMystic = 2;
constexpr int kScout = 3;

const QString kHeader =
    QStringLiteral("Level\tClasses\tHit Die\tSkill Points\tBAB\tFort\tRef\tWill\tFeatures\n");
// Warden and Mystic for 2 levels, then Scout in both lists for 1.
const QStringList kRows{
    QStringLiteral("1\tWarden 1 / Mystic 1\td10\t2 x 4\t1\t+2\t+0\t+2\tGuard duty; Candle sight\n"),
    QStringLiteral("2\tWarden 2 / Mystic 2\td10\t2\t2\t+3\t+0\t+3\t\n"),
    QStringLiteral("3\tScout 1\td8\t6\t3\t+3\t+3\t+3\tLight step\n")};

}  // namespace

class LevelByLevelTest : public ShownWindowTest {
    Q_OBJECT

private:
    void enterBuild(const QStringList& levels, const QList<int>& picks) const {
        for (int i = 0; i < levels.size(); ++i) {
            levelBox(*window_, i)->setText(levels[i]);
        }
        for (int i = 0; i < picks.size(); ++i) {
            classList(*window_, i)->setCurrentIndex(picks[i]);
        }
    }
    void enterThreeLevels() const { enterBuild({"2", "1"}, {kWarden, kMystic, kScout, kScout}); }
    QWidget* levels() const { return window_->findChild<QWidget*>("LevelByLevelWindow"); }
    QTableView* table() const { return control<QTableView>(*levels(), "levelsTable"); }
    int rows() const { return table()->model()->rowCount(); }
    QString cell(int row, int column, int role = Qt::DisplayRole) const {
        return table()->model()->index(row, column).data(role).toString();
    }
    void openWithF2() const {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QVERIFY(levels() != nullptr);
        // The offscreen platform has no window manager to hand the new window the focus.
        showAndActivate(*levels());
    }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    QPlainTextEdit* how() const { return control<QPlainTextEdit>(*levels(), "howBox"); }

private slots:
    void is_built_on_first_use_only_and_comes_back_on_f2_data() {
        QTest::addColumn<bool>("minimized");
        QTest::newRow("after it was closed") << false;
        QTest::newRow("after it was minimized") << true;
    }
    void is_built_on_first_use_only_and_comes_back_on_f2() {
        QFETCH(bool, minimized);
        QVERIFY(levels() == nullptr);
        openWithF2();
        QWidget* first = levels();
        if (minimized) {
            first->setWindowState(first->windowState() | Qt::WindowMinimized);
        } else {
            first->close();
        }
        QApplication::setActiveWindow(window_.get());
        openWithF2();
        QCOMPARE(levels(), first);
        QVERIFY(first->isVisible());
        QVERIFY(!first->isMinimized());
    }

    void view_menu_sits_between_file_and_help() {
        QStringList titles;
        for (const QAction* menu : window_->menuBar()->actions()) {
            titles.append(menu->text());
        }
        QCOMPARE(titles, (QStringList{"File", "Edit", "View", "Help"}));
        const auto* item = control<QAction>(*window_, "Menu_LevelByLevel");
        QCOMPARE(item->text(), QStringLiteral("Level by Level\tF2"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::Key_F2));
    }

    void opens_on_the_build_as_go_would_take_it_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("View > Level by Level") << true;
        QTest::newRow("F2") << false;
    }
    void opens_on_the_build_as_go_would_take_it() {
        QFETCH(bool, fromMenu);
        // State: a build entered, Go never pressed.
        enterThreeLevels();
        // Action: open the window.
        if (fromMenu) {
            control<QAction>(*window_, "Menu_LevelByLevel")->trigger();
        } else {
            openWithF2();
        }
        // Expected: a separate, non-modal window over the main one with every level.
        QVERIFY(levels()->isVisible());
        QVERIFY(levels()->isWindow());
        QVERIFY(!levels()->isModal());
        QCOMPARE(levels()->windowTitle(),
                 QStringLiteral("Level by Level - Vostrel Progression Calculator"));
        QCOMPARE(rows(), 3);
        QCOMPARE(cell(0, 8, Qt::ToolTipRole), QStringLiteral("Guard duty; Candle sight"));
        QVERIFY(how()->toPlainText().startsWith(QStringLiteral("Level 1: row 1, Warden 1 / ")));
        // Taken as Go takes it: the report is there too and agrees with the last row.
        QVERIFY(output()->toPlainText().contains(QStringLiteral("\nBAB=3\nFort=+3\n")));
    }

    void f2_after_a_changed_level_box_refreshes_the_report_data() {
        QTest::addColumn<bool>("alreadyOpen");
        QTest::newRow("window closed") << false;
        QTest::newRow("window open") << true;
    }
    void f2_after_a_changed_level_box_refreshes_the_report() {
        QFETCH(bool, alreadyOpen);
        enterThreeLevels();
        control<QPushButton>(*window_, "Cmd_go")->click();
        if (alreadyOpen) {
            openWithF2();
            QApplication::setActiveWindow(window_.get());
        }
        typeOver(levelBox(*window_, 0), "5");
        openWithF2();
        QCOMPARE(rows(), 6);
        QVERIFY2(output()->toPlainText().contains("\nBAB=" + cell(5, 4) + "\n"),
                 qPrintable(output()->toPlainText()));
    }

    void a_file_of_its_own_shows_as_it_should_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");  // empty: the table, one copied line per row
        QTest::newRow("a tab inside a name and a feature adds no column")
            << "tab_inside.csv" << QString();
        QTest::newRow("a file of no classes says so")
            << "empty.csv"
            << "The class file holds no classes: there is no build to show.";
    }
    void a_file_of_its_own_shows_as_it_should() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        window_ = loadedWindow(prompts_, qPrintable(file));
        showAndActivate(*window_);
        enterBuild({"1"}, {message.isEmpty() ? 1 : 0, message.isEmpty() ? 1 : 0});
        openWithF2();
        if (!message.isEmpty()) {
            QCOMPARE(control<QLabel>(*levels(), "messageLabel")->text(), message);
            return;
        }
        control<QPushButton>(*levels(), "copyAllButton")->click();
        QCOMPARE(clipboard(), kHeader + "1\tTab by 1\td8\t2 x 4\t1\t+2\t+0\t+0\tStep one\n");
    }

    void reads_a_list_still_being_edited_as_go_would() {
        // State: a class typed over a list, its editing not yet ended.
        enterThreeLevels();
        QLineEdit* field = classList(*window_, 3)->lineEdit();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("mystic"));
        // Action: F2 from that list.
        openWithF2();
        // Expected: the typed class counts, and the list shows it.
        QCOMPARE(cell(2, 1), QStringLiteral("Scout 1 / Mystic 3"));
        QCOMPARE(classList(*window_, 3)->currentIndex(), kMystic);
    }

    void go_refreshes_the_open_window_data() {
        QTest::addColumn<bool>("openedOnMessage");
        QTest::newRow("opened on a table") << false;
        QTest::newRow("opened on the message of an empty build") << true;
    }
    void go_refreshes_the_open_window() {
        QFETCH(bool, openedOnMessage);
        if (openedOnMessage) {
            openWithF2();
        }
        enterThreeLevels();
        if (!openedOnMessage) {
            openWithF2();
            QCOMPARE(rows(), 3);
        }
        QApplication::setActiveWindow(window_.get());
        typeOver(levelBox(*window_, 1), "4");
        control<QPushButton>(*window_, "Cmd_go")->click();
        QCOMPARE(rows(), 6);
        // The table is back, and the message no longer heard on opening.
        QVERIFY(table()->isVisible());
        QVERIFY(levels()->accessibleDescription().isEmpty());
        QCOMPARE(cell(5, 1), QStringLiteral("Scout 4"));
        table()->setCurrentIndex(table()->model()->index(5, 0));
        QVERIFY(how()->toPlainText().startsWith(QStringLiteral("Level 6: row 2, Scout 4.")));
        QCOMPARE(cell(5, 8), QStringLiteral("Trailcraft"));
        // Every column in full, the longest features too.
        const int features = table()->fontMetrics().horizontalAdvance(cell(0, 8));
        QTRY_VERIFY(table()->columnWidth(8) > features);
        // Narrower than its contents, the window scrolls instead of eliding the features.
        levels()->resize(table()->columnWidth(1) * 2, levels()->height());
        QTRY_VERIFY(table()->horizontalScrollBar()->maximum() > 0);
        QVERIFY(table()->columnWidth(8) > features);
    }

    void shows_a_message_instead_of_an_empty_table_data() {
        QTest::addColumn<QStringList>("levels");
        QTest::addColumn<QList<int>>("picks");
        QTest::addColumn<QString>("message");
        QTest::newRow("above 20 levels") << QStringList{"15", "6"} << QList<int>{kWarden, kMystic}
                                         << QStringLiteral("Character above 20th level");
        QTest::newRow("first row incomplete")
            << QStringList{"3", "3"} << QList<int>{kWarden, 0, kScout, kMystic}
            << QStringLiteral("Choose two classes and a level count in the first row.");
    }
    void shows_a_message_instead_of_an_empty_table() {
        QFETCH(QStringList, levels);
        QFETCH(QList<int>, picks);
        QFETCH(QString, message);
        // State: the window open on a table.
        enterThreeLevels();
        openWithF2();
        QVERIFY(table()->isVisible());
        // Action: a build with nothing to tabulate, then Go.
        enterBuild(levels, picks);
        control<QPushButton>(*window_, "Cmd_go")->click();
        // Expected: the message alone, and nothing to copy.
        const auto* label = control<QLabel>(*this->levels(), "messageLabel");
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), message);
        QVERIFY(!table()->isVisible());
        QVERIFY(!control<QPushButton>(*this->levels(), "copyAllButton")->isEnabled());
    }

    void copies_rows_with_the_header_as_tab_separated_text_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Ctrl+C on rows 1 and 3 picked with the mouse")
            << "mouse" << kHeader + kRows[0] + kRows[2];
        QTest::newRow("Ctrl+C on rows 2 and 3 picked with the keyboard")
            << "keys" << kHeader + kRows[1] + kRows[2];
        QTest::newRow("Ctrl+C on rows 3 and 1 picked bottom-up, in the table's order")
            << "bottom-up" << kHeader + kRows[0] + kRows[2];
        QTest::newRow("Ctrl+C right after opening, nothing selected: the current row")
            << "nothing" << kHeader + kRows[0];
        QTest::newRow("Copy All") << "all" << kHeader + kRows.join(QString());
        QTest::newRow("Enter on a focused Copy All") << "enter" << kHeader + kRows.join(QString());
    }
    void copies_rows_with_the_header_as_tab_separated_text() {
        QFETCH(QString, how);
        QFETCH(QString, expected);
        enterThreeLevels();
        openWithF2();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTableView* grid = table();
        QVERIFY(grid->hasFocus());
        if (how == QLatin1String("mouse") || how == QLatin1String("bottom-up")) {
            const bool bottomUp = how == QLatin1String("bottom-up");
            QWidget* cells = grid->viewport();
            QTest::mouseClick(cells, Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(bottomUp ? 2 : 0, 1)).center());
            QTest::mouseClick(cells, Qt::LeftButton, Qt::ControlModifier,
                              grid->visualRect(grid->model()->index(bottomUp ? 0 : 2, 1)).center());
            QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        } else if (how == QLatin1String("nothing")) {
            QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        } else if (how == QLatin1String("enter")) {
            QTest::keyClick(grid, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (how == QLatin1String("keys")) {
            QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
            QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        } else {
            control<QPushButton>(*levels(), "copyAllButton")->click();
        }
        QCOMPARE(clipboard(), expected);
    }

    void a_number_tells_how_it_came_about_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("start");
        QTest::newRow("BAB") << 4 << 4
                             << "BAB 4 at level 5: row 1, 2 levels x 1 (Warden's rate, the higher "
                                "of its pair) = 2; row 2, 3 levels x 0.75 (Scout's rate) = 2.25";
        QTest::newRow("Hit Die") << 2 << 2 << "Hit die d8 at level 3: row 2, Scout's d8.";
        QTest::newRow("Skill Points at level 1, counted four times")
            << 0 << 3
            << "Skill points 2 at level 1: row 1, Warden and Mystic both give 2 a level. A "
               "character gets four times a level's skill points at first level, so the report "
               "counts level 1 four times: (2 + int modifier) x 4.";
    }
    void a_number_tells_how_it_came_about() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, start);
        enterBuild({"2", "3"}, {kWarden, kMystic, kScout, kScout});
        openWithF2();
        // Hovered, and after the cell to a screen reader.
        QVERIFY2(cell(row, column, Qt::ToolTipRole).startsWith(start),
                 qPrintable(cell(row, column, Qt::ToolTipRole)));
        // Shown wrapped at a readable width, its text whole.
        const QRect place = table()->visualRect(table()->model()->index(row, column));
        QHelpEvent hover(QEvent::ToolTip, place.center(),
                         table()->viewport()->mapToGlobal(place.center()));
        QApplication::sendEvent(table()->viewport(), &hover);
        QLabel* tip = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->inherits("QTipLabel") && top->isVisible()) {
                tip = qobject_cast<QLabel*>(top);
            }
        }
        QVERIFY(tip != nullptr);
        QTextDocument shown;
        shown.setHtml(tip->text());
        QCOMPARE(shown.toPlainText().trimmed(), cell(row, column, Qt::ToolTipRole));
        const int characters = tip->width() / tip->fontMetrics().averageCharWidth();
        QVERIFY2(
            characters <= 80 && characters >= std::min<qsizetype>(50, shown.characterCount() - 5),
            qPrintable(QString::number(characters)));
        QAccessibleInterface* cells = QAccessible::queryAccessibleInterface(table());
        QCOMPARE(cells->tableInterface()->cellAt(row, column)->text(QAccessible::Description),
                 cell(row, column, Qt::ToolTipRole));
        // Each number's cell explains its own column.
        for (int number = 2; number <= 7; ++number) {
            const QString title = table()->model()->headerData(number, Qt::Horizontal).toString();
            QVERIFY(cell(row, number, Qt::ToolTipRole).startsWith(title, Qt::CaseInsensitive));
        }
    }

    void the_how_pane_follows_the_selected_level_and_copies() {
        enterThreeLevels();
        openWithF2();
        QTest::keyClick(table(), Qt::Key_Down);
        QTest::keyClick(table(), Qt::Key_Down);
        const QString level3 = how()->toPlainText();
        QVERIFY2(
            level3.startsWith(QStringLiteral("Level 3: row 2, Scout 1.\nHit die d8 at level 3")),
            qPrintable(level3));
        QVERIFY(level3.contains(QStringLiteral("\nFeatures gained at this level: Light step")));
        QTest::keyClick(table(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), how());
        QTest::keyClick(how(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(how(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard(), level3);
        // Go with a level more, then with the third level gone: level 3 stays selected,
        // the pane on it, while it is there; then the last level.
        for (const auto& [levels, row] : {std::pair{"2", 2}, {"0", 1}}) {
            typeOver(levelBox(*window_, 1), levels);
            control<QPushButton>(*window_, "Cmd_go")->click();
            QCOMPARE(table()->currentIndex().row(), row);
            QVERIFY(table()->selectionModel()->isRowSelected(row));
            QVERIFY(how()->toPlainText().startsWith(QStringLiteral("Level %1:").arg(row + 1)));
        }
    }

    void escape_closes_it_and_ctrl_x_in_the_main_window_still_exits() {
        enterThreeLevels();
        openWithF2();
        // Ctrl+X in the main window, with the table open beside it: the Exit question.
        showAndActivate(*window_);
        prompts_.messageAnswers = {QMessageBox::Cancel};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(prompts_.messageRequests.size(), 1);
        QCOMPARE(prompts_.messageRequests.constFirst().text, QStringLiteral("Exit?"));
        QVERIFY(levels()->isVisible());
        // Escape in the table's window closes it alone.
        showAndActivate(*levels());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!levels()->isVisible());
        QVERIFY(window_->isVisible());
    }

    void closes_with_the_main_window() {
        enterThreeLevels();
        openWithF2();
        QVERIFY(window_->close());
        QVERIFY(!levels()->isVisible());
    }

    void every_control_is_named_and_reached_by_tab() {
        enterThreeLevels();
        openWithF2();
        for (const char* name : {"levelsTable", "copyAllButton"}) {
            QVERIFY2(!control<QWidget>(*levels(), name)->accessibleName().isEmpty(), name);
        }
        QCOMPARE(how()->accessibleName(), QStringLiteral("How"));
        QCOMPARE(QApplication::focusWidget(), table());
        // Nothing between the table and its window for a screen reader to announce as
        // the table takes the focus: only unnamed holders and the pane's handle.
        for (QAccessibleInterface* holder =
                 QAccessible::queryAccessibleInterface(table())->parent();
             holder->object() != levels(); holder = holder->parent()) {
            QVERIFY2(
                holder->role() == QAccessible::Client || holder->role() == QAccessible::Splitter,
                holder->object()->metaObject()->className());
            QVERIFY(holder->text(QAccessible::Name).isEmpty());
        }
        QTest::keyClick(table(), Qt::Key_Tab);
        QTest::keyClick(how(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(*levels(), "copyAllButton"));
    }
};

int main(int argc, char** argv) {
    return runWindowTests<LevelByLevelTest>(argc, argv);
}

#include "test_level_by_level.moc"
