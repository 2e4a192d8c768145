// The class lists and the keyboard focus: what a list shows when editing ends, its
// tooltip, its drop-down, the wheel, the window's shortcuts while the drop-down is
// open, and the ring around the focused control.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "../cased_names.h"
#include "window_test_support.h"

namespace {

// List rows of warden_mystic_scout.csv: 0 is "<None>", then the classes in file order.
constexpr int kNone = 0;
constexpr int kWarden = 1;
constexpr int kMystic = 2;
constexpr int kScout = 3;
// twin_mystics.csv is the same file with a second Mystic after Scout.
constexpr int kSecondMystic = 4;

// Contrast ratio of two colours as the web's accessibility guidelines define it.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class Form1ControlsTest : public ShownWindowTest {
    Q_OBJECT

private slots:
    void list_text_settles_on_the_class_that_counts_data() {
        QTest::addColumn<QString>("file");  // empty: warden_mystic_scout.csv
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("clicks");  // into the list; none: Tab in, the text selected
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("told");  // in the tooltip and to a screen reader
        QTest::newRow("a class's name picks it, on Enter")
            << QString() << -1 << 0 << "Scout"
            << "enter" << kScout << "Scout" << QString();
        QTest::newRow("a name in another case, on Tab")
            << QString() << kWarden << 0 << "mYSTIC"
            << "tab" << kMystic << "Mystic" << QString();
        QTest::newRow("a start the field completes") << QString() << -1 << 0 << "mys"
                                                     << "tab" << kMystic << "Mystic" << QString();
        // Inline completion sets the text anew at each key; Go must still see it.
        QTest::newRow("a whole name, on Go") << QString() << kWarden << 0 << "scout"
                                             << "go" << kScout << "Scout" << QString();
        QTest::newRow("other text: the class chosen, on Go")
            << QString() << kWarden << 0 << "Zzz"
            << "go" << kWarden << "Warden"
            << "No class named \"Zzz\"; kept Warden.";
        QTest::newRow("other text: Class when none chosen, on a click elsewhere")
            << QString() << -1 << 0 << "Zzz"
            << "click" << -1 << "Class"
            << "No class named \"Zzz\"; no class chosen.";
        QTest::newRow("a mistyped name: kept, with the closest class offered")
            << QString() << kWarden << 0 << "Scuot"
            << "tab" << kWarden << "Warden"
            << "No class named \"Scuot\"; kept Warden. Did you mean Scout?";
        QTest::newRow("an emptied text: the entry chosen")
            << QString() << kNone << 0 << "\b"
            << "tab" << kNone << "<None>" << QString();
        QTest::newRow("<None> typed in any case picks it")
            << QString() << kWarden << 0 << "<none>"
            << "tab" << kNone << "<None>" << QString();
        // The same name twice: retyping it, in any case, keeps the one chosen.
        QTest::newRow("a name two classes share: the one chosen")
            << "twin_mystics.csv" << kSecondMystic << 0 << "mystic"
            << "tab" << kSecondMystic << "Mystic" << QString();
        QTest::newRow("a long name settles shown from its start")
            << "forty_classes.csv" << -1 << 0 << "knight of the green company"
            << "tab" << 40 << "Knight of the Green Company" << QString();
        QTest::newRow("a click into an unfocused list selects its text to type over")
            << QString() << kWarden << 1 << "Scout"
            << "tab" << kScout << "Scout" << QString();
        QTest::newRow("a second click into the focused list selects its class's name again")
            << QString() << kWarden << 2 << "Scout"
            << "tab" << kScout << "Scout" << QString();
        QTest::newRow("a name equal letter case included wins over the one chosen")
            << "twin_case.csv" << 1 << 0 << "twin"
            << "tab" << 2 << "twin" << QString();
        QTest::newRow("a name equal only ignoring case: the first such")
            << "twin_case.csv" << -1 << 0 << "TWIN"
            << "tab" << 1 << "Twin" << QString();
    }
    void list_text_settles_on_the_class_that_counts() {
        QFETCH(QString, file);
        QFETCH(int, before);
        QFETCH(int, clicks);
        QFETCH(QString, keys);
        QFETCH(QString, end);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, told);
        if (!file.isEmpty()) {
            reload(qPrintable(file));
        }
        QComboBox* list = classList(*window_, 2);
        if (before >= 0) {
            pickEntry(list, before);
        }
        // Action: type over the list's text, then end editing.
        if (clicks > 0) {
            levelBox(*window_, 0)->setFocus();
            for (int click = 0; click < clicks; ++click) {
                QTest::mouseClick(list->lineEdit(), Qt::LeftButton, {}, QPoint(4 + 8 * click, 4));
            }
        } else {
            list->setFocus();
            list->lineEdit()->selectAll();
        }
        QTest::keyClicks(list, keys);  // where the keyboard sends them: the list hands them on
        const AccessibilityEvents events({QAccessible::ObjectShow});
        if (end == "enter" || end == "tab") {
            QTest::keyClick(list->lineEdit(), end == "tab" ? Qt::Key_Tab : Qt::Key_Return);
        } else if (end == "go") {
            control<QPushButton>(*window_, "Cmd_go")->click();
        } else {
            QTest::mouseClick(levelBox(*window_, 0), Qt::LeftButton);
        }
        // Expected: the text shows the entry counted, from its start; the tooltip
        // names its class.
        QCOMPARE(list->currentIndex(), index);
        QCOMPARE(list->currentText(), text);
        QCOMPARE(list->lineEdit()->cursorPosition(), 0);
        QCOMPARE(list->toolTip(), !told.isEmpty() ? told : index > 0 ? text : QString());
        const auto toldOfList = [&events] {
            return events.on(nullptr).filter(QStringLiteral("notification No class"));
        };
        QTRY_COMPARE(toldOfList(),
                     told.isEmpty() ? QStringList() : QStringList{"notification " + told});
    }

    void a_name_finds_the_same_class_typed_into_a_list_and_pasted_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("slot");
        for (const auto& row : vostrel::testing::kCasedNames) {
            QTest::newRow(row.name) << QString::fromUtf8(row.typed) << row.slot;
        }
    }
    void a_name_finds_the_same_class_typed_into_a_list_and_pasted() {
        QFETCH(QString, typed);
        QFETCH(int, slot);
        // State: a window loaded with classes named beyond ASCII.
        QTemporaryDir dir;
        QFile file(dir.filePath("cased.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const char* name : vostrel::testing::kCasedClasses) {
            file.write(name + QByteArray(",8,2,1,TRUE,FALSE,FALSE") + QByteArray(20, ',') + '\n');
        }
        file.close();
        reload(qPrintable(file.fileName()));
        // Action and expected: typed into a list, then pasted, it finds the class or none;
        QComboBox* list = classList(*window_, 2);
        typeOver(list->lineEdit(), typed);
        QTest::keyClick(list->lineEdit(), Qt::Key_Tab);
        QCOMPARE(list->currentIndex(), slot > 0 ? slot : -1);
        QGuiApplication::clipboard()->setText("1 " + typed + " / " + typed);
        control<QAction>(*window_, "Menu_PasteBuild")->trigger();
        QCOMPARE(classList(*window_, 1)->currentIndex(), slot > 0 ? slot : -1);
        // Copy Build then names it as the file does (with none, it leaves the clipboard).
        control<QAction>(*window_, "Menu_CopyBuild")->trigger();
        const QString name = slot > 0 ? list->itemText(slot) : typed;
        QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 0, 0),
                 "1 " + name + " / " + name);
    }

    void every_list_reads_its_place_and_its_chosen_class_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pick");
        QTest::newRow("first list") << 0 << "Segment 1, first class" << kWarden;
        QTest::newRow("second list") << 1 << "Segment 1, second class" << kMystic;
        QTest::newRow("third list") << 2 << "Segment 2, first class" << kScout;
        QTest::newRow("fourth list") << 3 << "Segment 2, second class" << kNone;
        QTest::newRow("fifth list") << 4 << "Segment 3, first class" << kWarden;
        QTest::newRow("sixth list") << 5 << "Segment 3, second class" << kMystic;
        QTest::newRow("seventh list") << 6 << "Segment 4, first class" << kScout;
        QTest::newRow("eighth list") << 7 << "Segment 4, second class" << kWarden;
        QTest::newRow("ninth list") << 8 << "Segment 5, first class" << kMystic;
        QTest::newRow("tenth list") << 9 << "Segment 5, second class" << kScout;
    }
    void every_list_reads_its_place_and_its_chosen_class() {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(int, pick);
        const AccessibilityEvents events;
        QComboBox* list = classList(*window_, index);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(list);
        // Action: pick a class, then type into the text field without settling it.
        pickEntry(list, pick);
        const QString chosen = list->itemText(pick);
        list->setFocus();
        QTest::keyClicks(list->lineEdit(), "Zz");
        // Expected: the list's own name whatever it shows, the class as value and
        // description, and the change told as such.
        QCOMPARE(reader->role(), QAccessible::ComboBox);
        QCOMPARE(reader->text(QAccessible::Name), name);
        QCOMPARE(reader->text(QAccessible::Value), chosen);
        QCOMPARE(reader->text(QAccessible::Description), "Chosen class: " + chosen);
        QCOMPARE(events.on(list),
                 (QStringList{"description Chosen class: " + chosen, "value " + chosen}));
    }

    void wheel_turns_a_list_only_while_it_has_the_focus_data() {
        QTest::addColumn<bool>("focused");
        QTest::newRow("focused") << true;
        QTest::newRow("under the pointer without the focus") << false;
    }
    void wheel_turns_a_list_only_while_it_has_the_focus() {
        QFETCH(bool, focused);
        QComboBox* list = classList(*window_, 4);
        pickEntry(list, kWarden);
        QWidget* focus = focused ? static_cast<QWidget*>(list) : levelBox(*window_, 0);
        focus->setFocus();
        QWheelEvent wheel({5, 5}, list->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
        QCOMPARE(list->currentIndex(), focused ? kMystic : kWarden);
        QCOMPARE(QApplication::focusWidget(), focus);
        // A wheel from the window system first gives the focus to a wheel-focus widget.
        QVERIFY((list->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
    }

    void drop_down_fits_the_longest_name_within_the_screen_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("short names") << "warden_mystic_scout.csv";
        QTest::newRow("forty classes, two Knights") << "forty_classes.csv";
        QTest::newRow("a name wider than the screen") << "wide_name.csv";
    }
    void drop_down_fits_the_longest_name_within_the_screen() {
        QFETCH(QString, file);
        reload(qPrintable(file));
        QComboBox* list = classList(*window_, 5);
        const QSize listSize = list->size();
        list->showPopup();
        QAbstractItemView* view = list->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        // Expected: never narrower than the list nor off the screen (the offscreen
        // platform frames even a drop-down, keeping the frame on the screen); every
        // name in full unless the screen is too narrow; the list keeps its size.
        const QRect screen = list->screen()->availableGeometry();
        const QRect popup = view->window()->geometry();
        const int left = popup.left() - view->window()->windowHandle()->frameMargins().left();
        QVERIFY(left >= screen.left() && left + popup.width() <= screen.right() + 1);
        QVERIFY(popup.width() >= listSize.width());
        const QRect port = view->viewport()->rect();
        for (int row = 0; row < list->count(); ++row) {
            const QRect entry = view->visualRect(view->model()->index(row, 0));
            const int shown = std::min(entry.right(), port.right()) - std::max(entry.left(), 0) + 1;
            const int needed = view->fontMetrics().horizontalAdvance(list->itemText(row));
            QVERIFY2(shown >= needed || popup.width() == screen.width(),
                     qPrintable(list->itemText(row)));
        }
        QCOMPARE(list->size(), listSize);
    }

    void fortieth_class_picked_from_a_list_is_reported() {
        reload("forty_classes.csv");
        typeOver(levelBox(*window_, 0), "1");
        pickEntry(classList(*window_, 0), 40);
        pickEntry(classList(*window_, 1), 1);
        QTest::mouseClick(control<QPushButton>(*window_, "Cmd_go"), Qt::LeftButton);
        const QString report = output()->toPlainText();
        QVERIFY2(report.contains("(Knight of the Green Company/Order 01 lists)"),
                 qPrintable(report));
        QVERIFY(report.contains("Green Oath"));
        QCOMPARE(classList(*window_, 0)->toolTip(), QStringLiteral("Knight of the Green Company"));
    }

    void window_shortcuts_work_while_a_drop_down_is_open_data() {
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<bool>("levelsOpen");
        QTest::addColumn<QString>("title");  // empty: no command asks anything
        QTest::addColumn<QString>("opens");  // a window the command opens
        QTest::newRow("Ctrl+X: Exit") << (Qt::CTRL | Qt::Key_X) << false << "Exiting..."
                                      << "";
        QTest::newRow("F1: About") << QKeyCombination(Qt::Key_F1) << false << "About"
                                   << "";
        QTest::newRow("F3: Classes") << QKeyCombination(Qt::Key_F3) << false << ""
                                     << "ClassesWindow";
        QTest::newRow("F4: Pairs") << QKeyCombination(Qt::Key_F4) << false << ""
                                   << "PairsWindow";
        QTest::newRow("F5: Compare Builds") << QKeyCombination(Qt::Key_F5) << false << ""
                                            << "CompareWindow";
        QTest::newRow("Ctrl+Shift+K: Keep Build, with nothing to keep")
            << (Qt::CTRL | Qt::SHIFT | Qt::Key_K) << false << "Keep Build"
            << "";
        QTest::newRow("Ctrl+Shift+C: Copy Build, with nothing to copy")
            << (Qt::CTRL | Qt::SHIFT | Qt::Key_C) << false << "Copy Build"
            << "";
        // Escape and Ctrl+C belong to the Level by Level window, not to this one.
        QTest::newRow("Escape closes only the drop-down, not Level by Level")
            << QKeyCombination(Qt::Key_Escape) << true << ""
            << "";
    }
    void window_shortcuts_work_while_a_drop_down_is_open() {
        QFETCH(QKeyCombination, keys);
        QFETCH(bool, levelsOpen);
        QFETCH(QString, title);
        QFETCH(QString, opens);
        if (levelsOpen) {
            control<QAction>(*window_, "Menu_LevelByLevel")->trigger();
            showAndActivate(*window_);
        }
        QComboBox* list = classList(*window_, 7);
        list->showPopup();
        QWidget* popup = list->view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        prompts_.messageAnswers = {QMessageBox::Cancel};
        QTest::keyClick(list->view(), keys.key(), keys.keyboardModifiers());
        // Expected: the drop-down closed, the command ran, no class chosen.
        QVERIFY(!popup->isVisible());
        QCOMPARE(prompts_.messageRequests.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(prompts_.messageRequests.constFirst().title, title);
        }
        QCOMPARE(list->currentIndex(), -1);
        if (levelsOpen) {
            QVERIFY(control<QWidget>(*window_, "LevelByLevelWindow")->isVisible());
        }
        if (!opens.isEmpty()) {
            QVERIFY(control<QWidget>(*window_, opens)->isVisible());
        }
    }

    void focus_ring_stands_out_against_the_blue_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("unfocused");
        QTest::newRow("class list") << "Cbo_Class_9"
                                    << "Txt_Lvl_4";
        QTest::newRow("level box") << "Txt_Lvl_2"
                                   << "Cbo_Class_4";
        QTest::newRow("Go") << "Cmd_go"
                            << "Txt_Output";
        QTest::newRow("output box") << "Txt_Output"
                                    << "Cmd_go";
    }
    void focus_ring_stands_out_against_the_blue() {
        QFETCH(QString, focused);
        QFETCH(QString, unfocused);
        control<QWidget>(*window_, focused)->setFocus();
        QWidget* client = window_->centralWidget();
        const QImage picture = client->grab().toImage();
        const auto place = [this, client](const QString& name) {
            const QWidget* widget = control<QWidget>(*window_, name);
            return QRect(widget->mapTo(client, QPoint(0, 0)), widget->size());
        };
        // Expected: right outside each edge of the focused control, 3:1 or more against
        // the blue; plain blue around an unfocused one.
        const auto around = [&picture](const QRect& r) {
            QList<QColor> colours;
            for (const QPoint p :
                 {QPoint(r.left() - 1, r.center().y()), QPoint(r.right() + 1, r.center().y()),
                  QPoint(r.center().x(), r.top() - 1), QPoint(r.center().x(), r.bottom() + 1)}) {
                colours << picture.pixelColor(p);
            }
            return colours;
        };
        const QColor blue(0, 0, 255);
        for (const QColor& colour : around(place(focused))) {
            QVERIFY2(contrast(colour, blue) >= 3.0, qPrintable(colour.name()));
        }
        QCOMPARE(around(place(unfocused)), QList<QColor>(4, blue));
    }
};

int main(int argc, char** argv) {
    return runWindowTests<Form1ControlsTest>(argc, argv);
}

#include "test_form1_controls.moc"
