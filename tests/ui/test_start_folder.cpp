// The folder the class file dialog opens in: build tree, installed prefix, or home.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "start_folder.h"

class StartFolderTest : public QObject {
    Q_OBJECT

private slots:
    void dialog_opens_where_the_sample_is_found_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build tree: sample beside the program")
            << QStringList{"prefix/bin/classes.csv"} << "prefix/bin";
        QTest::newRow("beside the program wins over the installed copy")
            << QStringList{"prefix/bin/classes.csv", "prefix/share/vostrel-calculator/classes.csv"}
            << "prefix/bin";
        QTest::newRow("installed: sample in the data folder next to bin")
            << QStringList{"prefix/share/vostrel-calculator/classes.csv", "prefix/bin/other.csv"}
            << "prefix/share/vostrel-calculator";
        QTest::newRow("a folder named like the sample is not the sample")
            << QStringList{"prefix/bin/classes.csv/", "prefix/share/vostrel-calculator/"} << "home";
        QTest::newRow("data folder of another program does not count")
            << QStringList{"prefix/share/other/classes.csv"} << "home";
        QTest::newRow("nothing found: home") << QStringList{} << "home";
    }
    void dialog_opens_where_the_sample_is_found() {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        // State: a prefix with bin/ and a home folder, holding `files` (a name
        // ending in "/" is a folder).
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir top(root.path());
        QVERIFY(top.mkpath("prefix/bin") && top.mkpath("home"));
        for (const QString& name : files) {
            if (name.endsWith('/')) {
                QVERIFY(top.mkpath(name));
                continue;
            }
            QVERIFY(top.mkpath(QFileInfo(name).path()));
            QFile file(top.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // Action and expected: the folder, written without "..".
        QCOMPARE(startFolder(top.filePath("prefix/bin"), top.filePath("home")),
                 top.filePath(expected));
    }

    void no_program_folder_means_home_not_the_current_folder() {
        QTemporaryDir current;
        QVERIFY(current.isValid());
        QFile sample(QDir(current.path()).filePath("classes.csv"));
        QVERIFY(sample.open(QIODevice::WriteOnly));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        const QString folder = startFolder(QString(), QStringLiteral("/home/someone"));
        QDir::setCurrent(before);
        QCOMPARE(folder, QStringLiteral("/home/someone"));
    }
};

QTEST_GUILESS_MAIN(StartFolderTest)

#include "test_start_folder.moc"
