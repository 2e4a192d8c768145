// The built program itself, run to its end on the offscreen platform, its dialogs
// answered at the keyboard by the key script plugin (key_script_plugin.cpp).
#include <QProcess>
#include <QtTest>

class ProgramExitTest : public QObject {
    Q_OBJECT

private slots:
    void quit_at_start_ends_the_program_with_status_0_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("windows");
        const QString dialog = QStringLiteral("Open Information File");
        const QString question = QStringLiteral("Vostrel Progression Calculator");
        QTest::newRow("Escape on the dialog, Escape (Quit) on the question")
            << "Esc Esc" << QStringList{dialog, question};
        QTest::newRow("Choose File... once, then Quit")
            << "Esc Return Esc Esc" << QStringList{dialog, question, dialog, question};
    }
    void quit_at_start_ends_the_program_with_status_0() {
        QFETCH(QString, keys);
        QFETCH(QStringList, windows);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // A desktop's platform theme would bring its own dialog, which takes no keys here.
        environment.remove("QT_QPA_PLATFORMTHEME");
        environment.insert("QT_PLUGIN_PATH", VOSTREL_KEY_SCRIPT_PLUGINS);
        environment.insert("QT_QPA_GENERIC_PLUGINS", "vostrelkeys:" + keys);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(VOSTREL_PROGRAM, {});
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
            QFAIL("the program did not end within 30 seconds");
        }
        QCOMPARE(
            QString::fromLocal8Bit(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
            windows);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(ProgramExitTest)

#include "test_program_exit.moc"
