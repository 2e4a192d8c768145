// The class lists and the keyboard focus: what a list shows when editing ends, its
// tooltip, its drop-down, the wheel, the window's shortcuts while the drop-down is
// open, and the ring around the focused control.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "window_test_support.h"

namespace {

// List rows of warden_mystic_scout.csv: 0 is "<None>", then the classes in file order.
constexpr int kNone = 0;
constexpr int kWarden = 1;
constexpr int kMystic = 2;
constexpr int kScout = 3;

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

void rollWheel(QWidget* target, int steps) {
    const QPointF centre = QRectF(target->rect()).center();
    QWheelEvent wheel(centre, target->mapToGlobal(centre), QPoint(), QPoint(0, 120 * steps),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

}  // namespace

class Form1ControlsTest : public ShownWindowTest {
    Q_OBJECT

private:
    void reload(const char* classFile) {
        window_.reset();
        prompts_ = {};
        window_ = loadedWindow(prompts_, classFile);
        showAndActivate(*window_);
    }

private slots:
    void list_text_settles_on_the_class_that_counts_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("a class's name picks it, on Enter") << -1 << "Scout"
                                                           << "enter" << kScout << "Scout";
        QTest::newRow("a name in other letters' case picks it, on Tab")
            << kWarden << "mYSTIC"
            << "tab" << kMystic << "Mystic";
        QTest::newRow("other text goes back to the class chosen, on Go")
            << kWarden << "Zzz"
            << "go" << kWarden << "Warden";
        QTest::newRow("other text goes back to Class when none was chosen, on a click elsewhere")
            << -1 << "Zzz"
            << "click" << -1 << "Class";
        QTest::newRow("an emptied text goes back to the entry chosen")
            << kNone << "\b"
            << "tab" << kNone << "<None>";
        QTest::newRow("a start that the field completes counts as the name it shows")
            << -1 << "mys"
            << "tab" << kMystic << "Mystic";
        QTest::newRow("<None> in any case picks it") << kScout << "<none>"
                                                     << "enter" << kNone << "<None>";
    }
    void list_text_settles_on_the_class_that_counts() {
        QFETCH(int, before);
        QFETCH(QString, keys);
        QFETCH(QString, end);
        QFETCH(int, index);
        QFETCH(QString, text);
        // State: the entry chosen before, if any.
        QComboBox* combo = classList(*window_, 2);
        if (before >= 0) {
            pickEntry(combo, before);
        }
        // Action: type over the list's text, then end editing.
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), keys);
        if (end == "enter") {
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        } else if (end == "tab") {
            QTest::keyClick(combo->lineEdit(), Qt::Key_Tab);
        } else if (end == "go") {
            control<QPushButton>(*window_, "Cmd_go")->click();
        } else {
            QTest::mouseClick(levelBox(*window_, 0), Qt::LeftButton);
        }
        // Expected: the text shows the entry counted, and the tooltip names its class.
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(combo->currentText(), text);
        QCOMPARE(combo->toolTip(), index > 0 ? text : QString());
    }

    void wheel_turns_a_list_only_while_it_has_the_focus_data() {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<int>("index");
        QTest::newRow("focused list takes the next class") << true << kMystic;
        QTest::newRow("list under the pointer without the focus stays") << false << kWarden;
    }
    void wheel_turns_a_list_only_while_it_has_the_focus() {
        QFETCH(bool, focused);
        QFETCH(int, index);
        // State: Warden chosen in a list; the focus on it or on a level box.
        QComboBox* list = classList(*window_, 4);
        pickEntry(list, kWarden);
        QWidget* focus = focused ? static_cast<QWidget*>(list) : levelBox(*window_, 0);
        focus->setFocus();
        // Action: one wheel step down over the list.
        rollWheel(list, -1);
        // Expected: the class changes only in the focused list; the focus stays put.
        QCOMPARE(list->currentIndex(), index);
        QCOMPARE(QApplication::focusWidget(), focus);
        // A wheel from the window system would first give the focus to a list that
        // takes wheel focus, and so turn it.
        QVERIFY((list->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
    }

    void drop_down_fits_the_longest_name_within_the_screen_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("list");
        QTest::newRow("short names: as wide as the list") << "warden_mystic_scout.csv" << 0;
        QTest::newRow("forty classes: the two Knights apart") << "forty_classes.csv" << 9;
        QTest::newRow("a name wider than the screen: the screen's width") << "wide_name.csv" << 5;
    }
    void drop_down_fits_the_longest_name_within_the_screen() {
        QFETCH(QString, file);
        QFETCH(int, list);
        reload(qPrintable(file));
        QComboBox* combo = classList(*window_, list);
        const QSize listSize = combo->size();
        // Action: open the drop-down.
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        // Expected: every name fits unless the screen is too narrow, the drop-down is
        // never narrower than the list nor wider than the screen, the list keeps its size.
        const QRect screen = combo->screen()->availableGeometry();
        const QRect popup = view->window()->geometry();
        // The offscreen platform gives even a drop-down a window frame, and keeps that
        // frame's left edge on the screen; X gives it none.
        const int left = popup.left() - view->window()->windowHandle()->frameMargins().left();
        QVERIFY2(left >= screen.left() && left + popup.width() <= screen.right() + 1,
                 qPrintable(QStringLiteral("at %1, %2 wide").arg(left).arg(popup.width())));
        QVERIFY(popup.width() >= listSize.width());
        for (int row = 0; row < combo->count(); ++row) {
            const QString name = combo->itemText(row);
            const int needed = view->fontMetrics().horizontalAdvance(name);
            const QRect entry = view->visualRect(view->model()->index(row, 0));
            const QRect port = view->viewport()->rect();
            const int shown =
                std::min(entry.right(), port.right()) - std::max(entry.left(), port.left()) + 1;
            QVERIFY2(shown >= needed || popup.width() == screen.width(), qPrintable(name));
        }
        QCOMPARE(combo->size(), listSize);
        combo->hidePopup();
    }

    void fortieth_class_picked_from_a_list_is_reported() {
        reload("forty_classes.csv");
        typeOver(levelBox(*window_, 0), "1");
        pickEntry(classList(*window_, 0), 40);
        pickEntry(classList(*window_, 1), 1);
        QCOMPARE(classList(*window_, 0)->toolTip(), QStringLiteral("Knight of the Green Company"));
        QTest::mouseClick(control<QPushButton>(*window_, "Cmd_go"), Qt::LeftButton);
        const QString report = output()->toPlainText();
        QVERIFY2(report.contains("(Knight of the Green Company/Order 01 lists)"),
                 qPrintable(report));
        QVERIFY2(report.contains("Green Oath"), qPrintable(report));
    }

    void window_shortcuts_work_while_a_drop_down_is_open_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("title");
        QTest::newRow("Ctrl+X asks to exit")
            << int(Qt::Key_X) << int(Qt::ControlModifier) << "Exiting...";
        QTest::newRow("F1 shows About") << int(Qt::Key_F1) << int(Qt::NoModifier) << "About";
    }
    void window_shortcuts_work_while_a_drop_down_is_open() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, title);
        // State: a list's drop-down open.
        QComboBox* list = classList(*window_, 7);
        list->showPopup();
        QWidget* popup = list->view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        prompts_.messageAnswers = {QMessageBox::Cancel};
        // Action: the shortcut, as the drop-down gets it.
        QTest::keyClick(list->view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // Expected: the drop-down closed, then the command ran; no class chosen.
        QVERIFY(!popup->isVisible());
        QCOMPARE(prompts_.messageRequests.size(), 1);
        QCOMPARE(prompts_.messageRequests.constFirst().title, title);
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(window_->isVisible());
    }

    void focus_ring_stands_out_against_the_blue_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("unfocused");
        QTest::newRow("first class list") << "Cbo_Class_0"
                                          << "Cbo_Class_1";
        QTest::newRow("last class list") << "Cbo_Class_9"
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
        const QColor blue(0, 0, 255);
        // Action: give the control the focus and take the client area's picture.
        control<QWidget>(*window_, focused)->setFocus();
        const QImage picture = window_->centralWidget()->grab().toImage();
        // Expected: all around the focused control, right outside its edges, a mark of
        // 3:1 contrast or more against the blue; none around an unfocused control.
        const auto around = [](const QRect& r) {
            return QList<QPoint>{{r.left() - 1, r.center().y()},
                                 {r.right() + 1, r.center().y()},
                                 {r.center().x(), r.top() - 1},
                                 {r.center().x(), r.bottom() + 1}};
        };
        for (const QPoint& p : around(control<QWidget>(*window_, focused)->geometry())) {
            QVERIFY2(contrast(picture.pixelColor(p), blue) >= 3.0,
                     qPrintable(picture.pixelColor(p).name()));
        }
        for (const QPoint& p : around(control<QWidget>(*window_, unfocused)->geometry())) {
            QCOMPARE(picture.pixelColor(p), blue);
        }
    }
};

int main(int argc, char** argv) {
    return runWindowTests<Form1ControlsTest>(argc, argv);
}

#include "test_form1_controls.moc"
