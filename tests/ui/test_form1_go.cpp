// Go, from keys typed and entries picked to the output box, and the level box filter.
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "window_test_support.h"

namespace {

// List rows of warden_mystic_scout.csv: 0 is "<None>", then the classes in file order.
constexpr int kNone = 0;
constexpr int kWarden = 1;
constexpr int kMystic = 2;
constexpr int kScout = 3;
constexpr int kUntouched = -1;

const QString kStaleText = QStringLiteral("text left from before");
const QString kNoReport =
    QStringLiteral("No report: the first row needs two classes and a level count.");
const QString kEmptyBoxHint =
    QStringLiteral("Choose two classes and a level count in the first row, then press Go.");

}  // namespace

class Form1GoTest : public ShownWindowTest {
    Q_OBJECT

private:
    QPushButton* go() const { return control<QPushButton>(*window_, "Cmd_go"); }

private slots:
    void go_writes_outcome_of_build_typed_and_picked_data() {
        QTest::addColumn<QStringList>("levels");
        QTest::addColumn<QList<int>>("picks");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("heard");  // empty: the same as the box shows
        QTest::newRow("two segments, the report in seven lines")
            << QStringList{"4", "4", "0", "0", "0"}
            << QList<int>{kWarden, kMystic, kScout, kMystic, kWarden, kScout, -1, -1, -1, -1}
            << QStringLiteral(
                   "HD=4d8 + 4d10\n"
                   "Skill Points:[(2 + int modifier) * 7 (Warden/Mystic lists)] + "
                   "[(6 + int modifier) * 4 (Scout/Mystic lists)]\n"
                   "BAB=7\nFort=+5\nRef=+3\nWill=+6\n"
                   "Class Features: Shield wall, Rite of dusk, Trailcraft")
            << QString();
        QTest::newRow("levels above 20 even in a segment never walked")
            << QStringList{"15", "0", "6", "0", "0"}
            << QList<int>{kWarden, kMystic, kUntouched, kUntouched, kNone, kNone, -1, -1, -1, -1}
            << QStringLiteral("Character above 20th level") << QString();
        QTest::newRow("first segment without its second class leaves the box empty")
            << QStringList{"3", "4", "0", "0", "0"}
            << QList<int>{kWarden, kNone, kScout, kMystic, -1, -1, -1, -1, -1, -1} << QString()
            << kNoReport;
        QTest::newRow("nothing picked leaves the box empty")
            << QStringList{"5", "0", "0", "0", "0"} << QList<int>(10, kUntouched) << QString()
            << kNoReport;
    }
    void go_writes_outcome_of_build_typed_and_picked() {
        QFETCH(QStringList, levels);
        QFETCH(QList<int>, picks);
        QFETCH(QString, expected);
        QFETCH(QString, heard);
        // State: Go pressed on the empty build, then text left in the output box.
        go()->click();
        output()->setPlainText(kStaleText);
        // Action: type the levels, pick the classes, click Go.
        for (int i = 0; i < levels.size(); ++i) {
            typeOver(levelBox(*window_, i), levels[i]);
        }
        for (int i = 0; i < picks.size(); ++i) {
            if (picks[i] != kUntouched) {
                pickEntry(classList(*window_, i), picks[i]);
                QCOMPARE(classList(*window_, i)->currentIndex(), picks[i]);
            }
        }
        const AccessibilityEvents events({QAccessible::ObjectShow});
        QTest::mouseClick(go(), Qt::LeftButton);
        QTest::keyClick(go(), Qt::Key_Space);
        // Expected: exactly the outcome, one block per line, no stray CR, and the
        // placeholder only while it is empty; a screen reader told it at each press
        // as a notification, the focus left on Go.
        QCOMPARE(output()->toPlainText(), expected);
        QCOMPARE(output()->placeholderText(), expected.isEmpty() ? kEmptyBoxHint : QString());
        const QString notice = "notification " + (heard.isEmpty() ? expected : heard);
        QCOMPARE(events.on(nullptr), QStringList(2, notice));
        QCOMPARE(QApplication::focusWidget(), go());
        QCOMPARE(output()->blockCount(), int(expected.count('\n')) + 1);
        for (int i = 0; i < levels.size(); ++i) {
            QCOMPARE(levelBox(*window_, i)->text(), levels[i]);
        }
    }

    void go_counts_picked_entry_and_puts_back_typed_text_that_names_no_class() {
        // State: a complete first segment, its report shown.
        typeOver(levelBox(*window_, 0), "4");
        pickEntry(classList(*window_, 0), kWarden);
        pickEntry(classList(*window_, 1), kMystic);
        go()->click();
        const QString report = output()->toPlainText();
        QVERIFY(report.startsWith("HD=4d10\n"));
        // Action: type a text that names no class into the first list, without choosing.
        QComboBox* first = classList(*window_, 0);
        first->lineEdit()->selectAll();
        QTest::keyClicks(first->lineEdit(), "Zzz");
        go()->click();
        // Expected: the same report, and the list shows the class it was counted as.
        QCOMPARE(first->currentIndex(), kWarden);
        QCOMPARE(first->currentText(), QStringLiteral("Warden"));
        QCOMPARE(output()->toPlainText(), report);
    }

    void enter_presses_go_only_when_go_has_the_focus_data() {
        QTest::addColumn<QString>("controlName");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("Enter in a level box") << "Txt_Lvl_0" << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("Enter in a class list")
            << "Cbo_Class_1" << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("Enter on Go") << "Cmd_go" << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("keypad Enter on Go")
            << "Cmd_go" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Space on Go") << "Cmd_go" << int(Qt::Key_Space) << 0 << true;
        QTest::newRow("Ctrl+Enter on Go")
            << "Cmd_go" << int(Qt::Key_Return) << int(Qt::ControlModifier) << false;
    }
    void enter_presses_go_only_when_go_has_the_focus() {
        QFETCH(QString, controlName);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, pressed);
        // State: a complete build, nothing in the output box.
        typeOver(levelBox(*window_, 0), "2");
        pickEntry(classList(*window_, 0), kWarden);
        pickEntry(classList(*window_, 1), kScout);
        QSignalSpy clicks(go(), &QPushButton::clicked);
        // Action: the key in the control.
        auto* target = control<QWidget>(*window_, controlName);
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        // Expected: Go pressed once, or not at all; never the default button.
        QCOMPARE(clicks.count(), pressed ? 1 : 0);
        QCOMPARE(output()->toPlainText().isEmpty(), !pressed);
        QVERIFY(!go()->isDefault());
    }

    void enter_held_down_on_go_presses_it_once() {
        go()->setFocus();
        QSignalSpy clicks(go(), &QPushButton::clicked);
        // A held key repeats its press; Go takes the first alone, as it does Space.
        for (const bool repeated : {false, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, repeated);
            QApplication::sendEvent(go(), &press);
        }
        QCOMPARE(clicks.count(), 1);
    }

    void level_box_filter_on_typed_keys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two digits stay") << "12"
                                         << "12";
        QTest::newRow("leading zero stays") << "07"
                                            << "07";
        QTest::newRow("a letter after a digit resets to 0") << "1a"
                                                            << "0";
        QTest::newRow("a digit typed after a reset joins the 0") << "a1"
                                                                 << "01";
        QTest::newRow("minus sign resets before the digit") << "-1"
                                                            << "01";
        QTest::newRow("full stop after a digit resets") << "5."
                                                        << "0";
        QTest::newRow("accented letter resets") << QStringLiteral("\u00e9") << "0";
        QTest::newRow("full-width digit resets") << QStringLiteral("\uff13") << "0";
        QTest::newRow("Arabic-Indic digit after a digit resets")
            << QStringLiteral("1\u0663") << "0";
        QTest::newRow("third digit is dropped by the box") << "123"
                                                           << "12";
        QTest::newRow("emptied box stays empty") << "\b"
                                                 << "";
    }
    void level_box_filter_on_typed_keys() {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        typeOver(levelBox(*window_, 1), keys);
        QCOMPARE(levelBox(*window_, 1)->text(), expected);
    }

    void level_box_filter_on_pasted_text_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits stay") << "20"
                                     << "20";
        QTest::newRow("letter last") << "1a"
                                     << "0";
        QTest::newRow("letter first") << "a1"
                                      << "0";
        QTest::newRow("minus sign") << "-1"
                                    << "0";
        QTest::newRow("plus sign") << "+5"
                                   << "0";
        QTest::newRow("leading blank") << " 5"
                                       << "0";
        QTest::newRow("accented letter") << QStringLiteral("\u00e91") << "0";
        QTest::newRow("full-width digits") << QStringLiteral("\uff11\uff13") << "0";
        QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0663") << "0";
        QTest::newRow("long digits cut to two") << "1234"
                                                << "12";
        QTest::newRow("long text cut to two digits stays") << "12ab"
                                                           << "12";
    }
    void level_box_filter_on_pasted_text() {
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        QApplication::clipboard()->setText(pasted);
        QLineEdit* box = levelBox(*window_, 3);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), expected);
    }

    void level_box_filter_resets_text_set_by_code_once_and_only_in_its_box() {
        // State: distinct texts in every box.
        const QStringList before{"1", "2", "3", "4", "5"};
        for (int i = 0; i < before.size(); ++i) {
            levelBox(*window_, i)->setText(before[i]);
        }
        QSignalSpy changes(levelBox(*window_, 2), &QLineEdit::textChanged);
        // Action: code sets a non-digit text.
        levelBox(*window_, 2)->setText("x");
        // Expected: the nested change sets "0" and stops there; the other boxes keep theirs.
        QCOMPARE(changes.count(), 2);
        for (int i = 0; i < before.size(); ++i) {
            QCOMPARE(levelBox(*window_, i)->text(), i == 2 ? QStringLiteral("0") : before[i]);
        }
    }
};

int main(int argc, char** argv) {
    return runWindowTests<Form1GoTest>(argc, argv);
}

#include "test_form1_go.moc"
