#include <sys/resource.h>
#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <csignal>

#include "build_refusal.h"
#include "build_text.h"
#include "class_file_reader.h"
#include "pdf_file.h"
#include "sheet_document.h"
#include "table_window.h"
#include "window_test_support.h"

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// Lines may break after a slash as well as at spaces.
QString unspaced(QString text) {
    return text.remove(QRegularExpression("[\\s\\x{2028}]"));
}

}  // namespace

class PrintTest final : public ShownWindowTest {
    Q_OBJECT

public:
    PrintTest() : ShownWindowTest("long_features.csv") {}

private:
    QTemporaryDir folder_;

    QString saveAsPdf(const QString& path) {
        prompts_.saveAnswers = {path};
        control<QAction>(*window_, QStringLiteral("Menu_SaveAsPdf"))->trigger();
        return prompts_.messageRequests.isEmpty() ? QString()
                                                  : prompts_.messageRequests.takeLast().text;
    }

private slots:
    // Five rows of four levels, every features cell long enough to wrap.
    void sheetReadsBackWholeInOrder() {
        vostrel::ClassTable table;
        QVERIFY(!vostrel::loadClassData(testDataFile("long_features.csv").toStdString(), table));
        vostrel::BuildSheet build;
        for (std::int16_t row = 0; row < 5; ++row) {
            build.segments[static_cast<std::size_t>(row)] = {
                "4", static_cast<std::int16_t>(2 * row + 1),
                static_cast<std::int16_t>(2 * row + 2)};
        }
        const PrintedDocument sheet =
            *sheetDocument(build, table, "long_features.csv", true).document;
        const QString path = folder_.filePath("sheet.pdf");
        QCOMPARE(writePdf(path, sheet), QString());
        const QString text = unspaced(run("pdftotext", {"-raw", path, "-"}));
        // Every line and every cell, whole and in order: wrapping only adds breaks.
        QStringList expected = {printedCreator(), "Class file: long_features.csv"};
        expected += QString::fromStdString(vostrel::buildText(build, table)).split('\n');
        for (const QStringList& cells : sheet.table.rows) {
            expected.append(cells);
        }
        for (int level = 1; level <= 20; ++level) {
            expected.append(QStringLiteral("Level %1: row").arg(level));
        }
        QCOMPARE(sheet.table.rows.size(), std::size_t{20});
        qsizetype at = 0;
        for (const QString& piece : expected) {
            at = text.indexOf(unspaced(piece), at);
            QVERIFY2(at >= 0, qPrintable(piece));
        }
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const auto pages =
            static_cast<qsizetype>(layOut(sheet, *pdfWriter(buffer, sheet)).pages.size());
        const QString info = run("pdfinfo", {path});
        QCOMPARE(info.section("Pages: ", 1).section(' ', 0, 0).toLongLong(), pages);
        QVERIFY(text.count(unspaced(sheet.table.header.join(""))) >= 2);
        QVERIFY(text.endsWith(QStringLiteral("Page%1of%1").arg(pages)));
        QVERIFY(info.contains("Title: Warden - Mystic build sheet Creator: " + printedCreator()));
        const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
        QVERIFY(info.contains(letter ? "(letter)" : "(A4)"));
    }

    // A text longer than a page goes on over the next pages, every word of it.
    void textTallerThanAPageBreaksBetweenItsLines() {
        QStringList words;
        for (int n = 0; n < 3000; ++n) {
            words.append(QString::number(n));
        }
        const QString path = folder_.filePath("long.pdf");
        QCOMPARE(writePdf(path, {"Long", {{words.join(' ')}}, {}, {}}), QString());
        const QString text = unspaced(run("pdftotext", {"-raw", path, "-"}));
        QVERIFY(text.contains("Page3of3"));
        QCOMPARE(QString(text).remove(QRegularExpression("Page\\dof3")), words.join(""));
    }

    // Nothing to show; a folder that is a file; a full disk (a file-size limit binds
    // root too): a message naming the file and why, the old file as it was.
    void refusedWriteLeavesTheOldFile() {
        QCOMPARE(saveAsPdf(folder_.filePath("none.pdf")),
                 QString::fromStdString(vostrel::emptyBuildText(vostrel::EmptyBuildUse::NoRows)));
        QFile old(folder_.filePath("old.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        levelBox(*window_, 0)->setText("1");
        classList(*window_, 0)->setCurrentIndex(1);
        classList(*window_, 1)->setCurrentIndex(2);
        const QString notAFolder = old.fileName() + "/sheet.pdf";
        QVERIFY(saveAsPdf(notAFolder).startsWith("Could not save \"" + notAFolder + "\": "));
        QVERIFY(prompts_.saveProposals.last().endsWith("/Warden - Mystic.pdf"));

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{2000, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const QString message = saveAsPdf(old.fileName());
        setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY2(message.startsWith("Could not save \"" + old.fileName() + "\": "),
                 qPrintable(message));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), "old");
        QCOMPARE(QDir(folder_.path()).entryList({"old*"}, QDir::Files), QStringList{"old.pdf"});
    }

    // The rows as the table shows them, after sorting; its own Ctrl+P, not the sheet's.
    void tableWindowPrintsInTheOrderShown() {
        auto* classes = qobject_cast<TableWindow*>(openTableWindow(Qt::Key_F3, "ClassesWindow"));
        QVERIFY(!classes->actions().contains(control<QAction>(*window_, "Menu_Print")));
        QVERIFY(classes->actions().contains(control<QAction>(*classes, "printTable")));
        auto* view = classes->findChild<QTableView*>();
        view->sortByColumn(1, Qt::DescendingOrder);
        const PrintedTable printed = classes->printedDocument().table;
        QCOMPARE(printed.rows.size(), std::size_t{10});
        for (int row = 0; row < 10; ++row) {
            QCOMPARE(printed.rows[static_cast<std::size_t>(row)][1],
                     view->model()->index(row, 1).data().toString());
        }
        QCOMPARE(printed.rows.front()[1], QString("Warden"));
    }
};

int main(int argc, char** argv) {
    return runWindowTests<PrintTest>(argc, argv);
}

#include "test_print.moc"
