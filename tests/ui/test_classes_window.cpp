// View > Classes: what the class file gave each class, its marks, copying and placement.
#include <QAccessible>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>

#include "class_file_reader.h"
#include "window_test_support.h"

namespace {

// Rows of doubtful_classes.csv: Warden as it should be; Seer with a d7, "True"
// and "WAHR" saves; a class without a name.
constexpr int kSeer = 1;
constexpr int kNameless = 2;

QString cellOf(const QTableView* table, int row, int column, int role = Qt::DisplayRole) {
    return table->model()->index(row, column).data(role).toString();
}

// As a spreadsheet saves a pasted table as CSV: fields with commas or quotes quoted.
QByteArray csvOf(const QString& tabSeparated) {
    QStringList lines = tabSeparated.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeFirst();  // the header
    QString csv;
    for (const QString& line : lines) {
        QStringList fields = line.split(QLatin1Char('\t'));
        for (QString& field : fields) {
            if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))) {
                field = QLatin1Char('"') +
                        field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                        QLatin1Char('"');
            }
        }
        csv += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}

vostrel::ClassTable loaded(const QString& path) {
    vostrel::ClassTable table;
    const auto error = vostrel::loadClassData(path.toStdString(), table);
    if (error) {
        QTest::qFail(vostrel::describe(*error).c_str(), __FILE__, __LINE__);
    }
    return table;
}

}  // namespace

class ClassesWindowTest : public ShownWindowTest {
    Q_OBJECT

public:
    ClassesWindowTest() : ShownWindowTest("doubtful_classes.csv") {}

private:
    QWidget* classes() const { return window_->findChild<QWidget*>("ClassesWindow"); }
    QTableView* table(const char* name = "classesTable") const {
        return control<QTableView>(*classes(), name);
    }
    void open() {
        QVERIFY(classes() == nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QVERIFY(classes() != nullptr);
        showAndActivate(*classes());
    }

private slots:
    void f3_and_the_menu_open_it_with_the_file_and_its_count_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("F3") << false;
        QTest::newRow("View > Classes") << true;
    }
    void f3_and_the_menu_open_it_with_the_file_and_its_count() {
        QFETCH(bool, fromMenu);
        if (fromMenu) {
            control<QAction>(*window_, "Menu_Classes")->trigger();
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        }
        QVERIFY(classes()->isVisible());
        QCOMPARE(classes()->windowTitle(),
                 QStringLiteral("Classes - Vostrel Progression Calculator"));
        QCOMPARE(control<QLineEdit>(*classes(), "fileBox")->text(),
                 testDataFile("doubtful_classes.csv"));
        QCOMPARE(control<QLabel>(*classes(), "countLabel")->text(), QStringLiteral("3 classes"));
        QCOMPARE(table()->model()->rowCount(), 3);
    }

    void shows_each_field_and_marks_what_the_file_reads_silently_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");  // empty: the cell is not marked
        QTest::newRow("good save") << 0 << 5 << "good"
                                   << "";
        QTest::newRow("FALSE save") << 0 << 6 << "poor"
                                    << "";
        QTest::newRow("empty save") << kSeer << 6 << "poor"
                                    << "";
        QTest::newRow("True save") << kSeer << 5 << "poor: \"True\""
                                   << "Only TRUE in capitals marks a good save";
        QTest::newRow("WAHR save") << kSeer << 7 << "poor: \"WAHR\""
                                   << "Only TRUE in capitals marks a good save";
        QTest::newRow("listed die") << 0 << 2 << "d10"
                                    << "";
        QTest::newRow("d7") << kSeer << 2 << "d7"
                            << "lists only d4, d6, d8, d10 and d12";
        QTest::newRow("attack rate") << kSeer << 4 << "0.75"
                                     << "";
        QTest::newRow("no name") << kNameless << 1 << "(no name)"
                                 << "has no name";
    }
    void shows_each_field_and_marks_what_the_file_reads_silently() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        open();
        QCOMPARE(cellOf(table(), row, column), text);
        const QModelIndex cell = table()->model()->index(row, column);
        QCOMPARE(cell.data(Qt::DecorationRole).isNull(), tip.isEmpty());
        if (!tip.isEmpty()) {
            QVERIFY2(cellOf(table(), row, column, Qt::ToolTipRole).contains(tip),
                     qPrintable(cellOf(table(), row, column, Qt::ToolTipRole)));
        }
    }

    void shows_the_features_of_the_selected_class_and_sorts_by_a_header() {
        open();
        QTableView* features = table("featuresTable");
        QCOMPARE(features->model()->rowCount(), 20);
        QCOMPARE(cellOf(features, 2, 1), QStringLiteral("Hold the line"));
        QTest::keyClick(table(), Qt::Key_Down);
        QCOMPARE(cellOf(features, 0, 1), QStringLiteral("Far sight, near sight"));
        QCOMPARE(cellOf(features, 1, 1), QString());
        QCOMPARE(cellOf(features, 19, 1), QStringLiteral("Open eye"));
        // Name (from the context menu, as the keyboard reaches it) sorts the nameless
        // class first; a click on # brings back the file order.
        const QList<QAction*> menu = table()->actions();
        QCOMPARE(menu.last()->text(), QStringLiteral("Sort by"));
        menu.last()->menu()->actions().at(1)->trigger();
        QCOMPARE(cellOf(table(), 0, 1), QStringLiteral("(no name)"));
        QCOMPARE(cellOf(features, 0, 1), QStringLiteral("Far sight, near sight"));
        // Sorted, the table copies as it shows, and a row selected shows its own class.
        control<QPushButton>(*classes(), "copyAllButton")->click();
        QStringList names;
        for (const QString& line : QGuiApplication::clipboard()->text().split('\n')) {
            names.append(line.section('\t', 0, 0));
        }
        QCOMPARE(names, (QStringList{"Name", "", "Seer", "Warden", ""}));
        QTest::keyClick(table(), Qt::Key_Up);
        QCOMPARE(cellOf(features, 0, 1), QStringLiteral("Nameless step"));
        QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains("\n\t8\t6\t0.5\t"));
        QHeaderView* header = table()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, 5));
        QCOMPARE(cellOf(table(), 0, 1), QStringLiteral("Warden"));
    }

    void copies_the_fields_of_the_file_with_a_header() {
        open();
        QTest::keyClick(table(), Qt::Key_Down);
        QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 3);  // the header, the row, and the end of the last line
        QVERIFY(
            lines[0].startsWith("Name\tHit Die\tSkill Points\tBAB per Level\tFort\tRef\tWill\t"
                                "Level 1\tLevel 2\t"));
        QVERIFY(lines[0].endsWith("\tLevel 20"));
        QCOMPARE(lines[1],
                 QStringLiteral("Seer\t7\t4\t0.75\tTrue\t\tWAHR\tFar sight, near sight\t\t"
                                "Say \"when\"") +
                     QString(17, '\t') + QStringLiteral("Open eye"));
    }

    void copy_all_saved_as_csv_loads_as_the_same_classes() {
        open();
        control<QPushButton>(*classes(), "copyAllButton")->click();
        QTemporaryDir dir;
        QFile csv(dir.filePath("copied.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(csvOf(QGuiApplication::clipboard()->text()));
        csv.close();
        const vostrel::ClassTable original = loaded(testDataFile("doubtful_classes.csv"));
        const vostrel::ClassTable copied = loaded(csv.fileName());
        QCOMPARE(copied.classCount(), original.classCount());
        for (int slot = 1; slot <= original.classCount(); ++slot) {
            const vostrel::ClassRecord& a = original.recordAt(slot);
            const vostrel::ClassRecord& b = copied.recordAt(slot);
            QCOMPARE(b.name, a.name);
            QCOMPARE(std::tie(b.hitDie, b.skillPoints, b.babRate),
                     std::tie(a.hitDie, a.skillPoints, a.babRate));
            QCOMPARE(
                std::tie(b.fortText, b.refText, b.willText, b.fortGood, b.refGood, b.willGood),
                std::tie(a.fortText, a.refText, a.willText, a.fortGood, a.refGood, a.willGood));
            QVERIFY(b.features == a.features);
        }
    }

    void escape_closes_it_and_so_does_the_main_window() {
        open();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!classes()->isVisible());
        showAndActivate(*window_);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QVERIFY(classes()->isVisible());
        QVERIFY(window_->close());
        QVERIFY(!classes()->isVisible());
    }

    void table_windows_are_windows_of_their_own_to_a_screen_reader_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");  // heard on opening, after the title
        const QString noBuild = "Choose two classes and a level count in the first row.";
        const QString noClasses = "The class file holds no classes.";
        QTest::newRow("Level by Level, no build")
            << int(Qt::Key_F2) << "LevelByLevelWindow" << QString() << noBuild;
        QTest::newRow("Classes") << int(Qt::Key_F3) << "ClassesWindow" << QString() << QString();
        QTest::newRow("Classes, no classes") << int(Qt::Key_F3) << "ClassesWindow"
                                             << "empty.csv" << noClasses;
        QTest::newRow("Pairs") << int(Qt::Key_F4) << "PairsWindow" << QString() << QString();
        QTest::newRow("Pairs, one class") << int(Qt::Key_F4) << "PairsWindow"
                                          << "tab_inside.csv"
                                          << "The class file holds one class: a pair needs two.";
    }
    void table_windows_are_windows_of_their_own_to_a_screen_reader() {
        QFETCH(int, key);
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(QString, message);
        if (!file.isEmpty()) {
            reload(qPrintable(file));
        }
        const AccessibilityEvents events({QAccessible::StateChanged});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        auto* opened = control<QWidget>(*window_, name);
        showAndActivate(*opened);
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(opened);
        QCOMPARE(access->role(), QAccessible::Window);
        QCOMPARE(access->text(QAccessible::Name), opened->windowTitle());
        // The first opening already says why there is nothing to show.
        const QStringList heard = events.on(opened).filter(QStringLiteral("activation"));
        QVERIFY(!heard.isEmpty());
        for (const QString& change : heard) {
            QCOMPARE(change, "activation, description " + message);
        }
        // Not kept above the main window, so raising that one covers it.
        QVERIFY(opened->windowHandle()->transientParent() == nullptr);
        QCOMPARE(opened->windowType(), Qt::Window);
        QVERIFY(!opened->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // The message of an empty build is read, not hidden behind a name.
        if (auto* label = opened->findChild<QLabel*>("messageLabel")) {
            QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                     message);
        }
    }
};

int main(int argc, char** argv) {
    return runWindowTests<ClassesWindowTest>(argc, argv);
}

#include "test_classes_window.moc"
