// View > Pairs: every pair of the file's classes at a level, filtered, sorted, and
// taken into the build.
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>

#include "window_test_support.h"

namespace {

enum Column { Number, First, Second, HitDie, SkillPoints, Bab, Fort, Ref, Will };

}  // namespace

class PairsWindowTest : public ShownWindowTest {
    Q_OBJECT

private:
    QWidget* pairs_ = nullptr;
    QTableView* table() const { return control<QTableView>(*pairs_, "pairsTable"); }
    QString cell(int row, int column) const {
        return table()->model()->index(row, column).data().toString();
    }
    void clickHeader(int column) const {
        QHeaderView* header = table()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    }

private slots:
    void one_row_for_every_pair_of_two_classes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rows");
        QTest::newRow("the sample's 14 classes") << "../../../data/classes.csv" << 91;
        QTest::newRow("40 classes") << "forty_classes.csv" << 780;
    }
    void one_row_for_every_pair_of_two_classes() {
        QFETCH(QString, file);
        QFETCH(int, rows);
        reload(qPrintable(file));
        pairs_ = openTableWindow(Qt::Key_F4, "PairsWindow");
        QCOMPARE(table()->model()->rowCount(), rows);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(table()));
        // Opened tall enough for sixteen rows, and not for seventeen; a scroll bar
        // across comes from a screen too narrow for every column.
        const QScrollBar* across = table()->horizontalScrollBar();
        const int room =
            table()->viewport()->height() + (across->isVisible() ? across->height() : 0);
        QCOMPARE(room / table()->rowHeight(0), 16);
    }

    void level_and_class_choose_the_rows_and_a_header_sorts_them() {
        pairs_ = openTableWindow(Qt::Key_F4, "PairsWindow");
        typeOver(control<QComboBox>(*pairs_, "withClassList")->lineEdit(), "scout\r");
        table()->setFocus();
        const AccessibilityEvents events({QAccessible::Focus});
        QTest::keyClick(table(), Qt::Key_Down);
        auto* level = control<QSpinBox>(*pairs_, "levelBox");
        level->setFocus();
        level->setValue(2);
        QCOMPARE(table()->model()->rowCount(), 2);
        QCOMPARE(cell(table()->currentIndex().row(), Number), QStringLiteral("3"));  // kept
        // The row is told as the table's keys choose it, and kept without a word, so that
        // a screen reader stays in the level box.
        QCOMPARE(events.on(nullptr), (QStringList{"focus 3", "focus Character level"}));
        QCOMPARE((QStringList{cell(0, Number), cell(0, First), cell(0, Second), cell(0, HitDie)}),
                 (QStringList{"2", "Warden", "Scout", "2d10"}));
        clickHeader(HitDie);  // Mystic / Scout's d8 first, then reversed, then file order
        QCOMPARE(cell(0, Number), QStringLiteral("3"));
        clickHeader(HitDie);
        QCOMPARE(cell(0, Number), QStringLiteral("2"));
        clickHeader(HitDie);
        clickHeader(Number);
        QCOMPARE(cell(0, Number), QStringLiteral("2"));
    }

    void a_sorted_table_keeps_copies_and_uses_the_pair_selected() {
        pairs_ = openTableWindow(Qt::Key_F4, "PairsWindow");
        clickHeader(HitDie);  // Mystic / Scout's d8 first, then pairs 1 and 2
        const QRect second = table()->visualRect(table()->model()->index(1, First));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, second.center());
        control<QSpinBox>(*pairs_, "levelBox")->setValue(5);
        QCOMPARE(table()->selectionModel()->selectedRows(),
                 QModelIndexList{table()->currentIndex()});
        QCOMPARE(cell(table()->currentIndex().row(), Number), QStringLiteral("1"));
        QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 1, 1).section('\t', 0, 2),
                 QStringLiteral("1\tWarden\tMystic"));
        control<QPushButton>(*pairs_, "usePairButton")->click();
        QCOMPARE(classList(*window_, 0)->currentText(), QStringLiteral("Warden"));
        QCOMPARE(classList(*window_, 1)->currentText(), QStringLiteral("Mystic"));
        QCOMPARE(levelBox(*window_, 0)->text(), QStringLiteral("5"));
    }

    void escape_closes_the_open_drop_down_then_the_window() {
        pairs_ = openTableWindow(Qt::Key_F4, "PairsWindow");
        auto* list = control<QComboBox>(*pairs_, "withClassList");
        list->setCurrentIndex(2);
        list->setFocus();
        list->showPopup();
        QWidget* popup = list->view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QTest::keyClick(list->view(), Qt::Key_F1);  // the main window's About, not here
        QTest::keyClick(list->view(), Qt::Key_Escape);
        // Expected: the drop-down closed, the window still open, the class kept.
        QVERIFY(!popup->isVisible());
        QVERIFY(pairs_->isVisible());
        QCOMPARE(list->currentIndex(), 2);
        QVERIFY(prompts_.messageRequests.isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!pairs_->isVisible());
    }

    void use_pair_fills_the_first_row_without_a_class_data() {
        QTest::addColumn<QStringList>("levels");  // the level boxes from the top
        QTest::addColumn<QList<int>>("classes");  // the lists' positions from the top
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");       // where the pair goes; -1: nowhere, a message says why
        QTest::addColumn<QString>("said");  // the row's new level count, or the message's start
        QTest::newRow("an empty build: 18 levels in the first row")
            << QStringList{} << QList<int>{} << "Enter" << 0 << "18";
        QTest::newRow("5 levels above: 15 in the second row")
            << QStringList{"5", "7"} << QList<int>{1, 2} << "double click" << 1 << "15";
        QTest::newRow("every row complete")
            << QStringList{"1", "1", "1", "1", "1"} << QList<int>{1, 2, 3, 3, 2, 1, 1, 1, 3, 2}
            << "button" << -1 << "Every row";
        QTest::newRow("a row with one class, where the report stops")
            << QStringList{"4", "2"} << QList<int>{1, 2, -1, 2} << "Enter" << -1
            << "Row 2 has a class but is not complete, and the report stops there: the pair "
               "would not count below it. Complete row 2, or set both of its lists to <None> "
               "for the pair.";
        QTest::newRow("20 levels in the other rows")
            << QStringList{"12", "9", "8"} << QList<int>{1, 2, 0, 0} << "Enter" << -1
            << "The other rows";
    }
    void use_pair_fills_the_first_row_without_a_class() {
        QFETCH(QStringList, levels);
        QFETCH(QList<int>, classes);
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, said);
        for (int i = 0; i < levels.size(); ++i) {
            levelBox(*window_, i)->setText(levels[i]);
        }
        for (int i = 0; i < classes.size(); ++i) {
            classList(*window_, i)->setCurrentIndex(classes[i]);
        }
        pairs_ = openTableWindow(Qt::Key_F4, "PairsWindow");
        control<QSpinBox>(*pairs_, "levelBox")->setValue(18);
        QTest::keyClick(table(), Qt::Key_Down);  // Warden / Scout
        const AccessibilityEvents events(
            {QAccessible::DescriptionChanged, QAccessible::TextUpdated});
        if (how == "Enter") {
            QTest::keyClick(table(), Qt::Key_Return);
        } else if (how == "button") {
            control<QPushButton>(*pairs_, "usePairButton")->click();
        } else {
            const QRect rect = table()->visualRect(table()->model()->index(1, First));
            // The view takes a double click only on the row just pressed.
            QTest::mousePress(table()->viewport(), Qt::LeftButton, {}, rect.center());
            QMouseEvent twice(QEvent::MouseButtonDblClick, rect.center(),
                              table()->viewport()->mapToGlobal(rect.center()), Qt::LeftButton,
                              Qt::LeftButton, {});
            QApplication::sendEvent(table()->viewport(), &twice);
        }
        if (row < 0) {
            QCOMPARE(prompts_.messageRequests.size(), 1);
            QVERIFY(prompts_.messageRequests[0].text.startsWith(said));
            QVERIFY(output()->toPlainText().isEmpty());  // Go did not run
            for (int i = 0; i < classes.size(); ++i) {
                QCOMPARE(classList(*window_, i)->currentIndex(), classes[i]);
            }
            return;
        }
        QCOMPARE(levelBox(*window_, row)->text(), said);
        // The other rows tell a screen reader nothing, so that it still hears the report.
        for (int i = 0; i < 10; ++i) {
            QVERIFY(i / 2 == row || events.on(classList(*window_, i)).isEmpty());
            QVERIFY(i / 2 == row || events.on(levelBox(*window_, i / 2)).isEmpty());
        }
        QCOMPARE(classList(*window_, 2 * row)->currentText(), QStringLiteral("Warden"));
        QCOMPARE(classList(*window_, 2 * row + 1)->currentText(), QStringLiteral("Scout"));
        // Go ran; for the pair alone its report holds the row's numbers.
        const QString report = output()->toPlainText();
        QVERIFY2(report.startsWith(row == 0 ? "HD=18d10\n" : "HD=20d10\n"), qPrintable(report));
        if (row == 0) {
            for (const auto& [label, column] :
                 {std::pair{"BAB=", Bab}, {"Fort=", Fort}, {"Ref=", Ref}, {"Will=", Will}}) {
                QVERIFY(report.contains(QStringLiteral("\n%1%2\n").arg(label, cell(1, column))));
            }
        }
    }
};

int main(int argc, char** argv) {
    return runWindowTests<PairsWindowTest>(argc, argv);
}

#include "test_pairs_window.moc"
