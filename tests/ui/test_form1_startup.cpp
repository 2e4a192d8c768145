// The start-up load, the real file dialog and message box, and the window as it first appears.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "class_file_reader.h"
#include "qt_user_prompts.h"
#include "window_test_support.h"

namespace {

// The buttons of the question after a cancelled dialog.
constexpr int kChooseFile = 0;
constexpr int kQuit = 1;

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items.append(list->itemText(i));
    }
    return items;
}

// Runs `answer` on the first modal window of type Box once the code under test shows it.
template <typename Box>
void whenShown(std::function<void(Box*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* box = qobject_cast<Box*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(box);
        }
    });
    poll->start();
}

}  // namespace

class Form1StartupTest : public QObject {
    Q_OBJECT

private:
    ScriptedPrompts prompts_;
    ModalWatchdog watchdog_;

private slots:
    void init() {
        watchdog_.arm();
        prompts_ = {};
    }
    void cleanup() { watchdog_.disarm(); }

    void dialog_asks_for_information_file_in_program_folder_before_window_shows() {
        // Action: create the window, the dialog answered with a good file.
        const auto window = loadedWindow(prompts_);
        // Expected: one dialog, titled and filtered as fixed, in the program's folder.
        QCOMPARE(prompts_.fileRequests.size(), 1);
        const FileRequest& request = prompts_.fileRequests.constFirst();
        QCOMPARE(request.title, QStringLiteral("Open Information File"));
        QCOMPARE(request.filters, (QStringList{"Comma Separated Values (*.csv)", "All Files (*)"}));
        QCOMPARE(request.folder, QCoreApplication::applicationDirPath());
        QVERIFY(request.filter.isEmpty());
        QVERIFY(!request.windowShown);
        QVERIFY(prompts_.messageRequests.isEmpty());
    }

    void cancelled_or_refused_dialog_comes_back_where_it_was_left_unless_quit_data() {
        QTest::addColumn<QStringList>("files");  // an empty name is a cancelled dialog
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QString>("secondFolder");
        const QString good = testDataFile("warden_mystic_scout.csv");
        const QString refused = testDataFile("refused.csv");
        const QString data = QStringLiteral(VOSTREL_UI_TEST_DATA);
        QTest::newRow("Choose File... after Cancel: where the user was")
            << QStringList{"", good} << QList<int>{kChooseFile} << QDir::tempPath();
        QTest::newRow("after a refusal: the refused file's folder, no question")
            << QStringList{refused, good} << QList<int>{} << data;
        QTest::newRow("Quit ends the start") << QStringList{""} << QList<int>{kQuit} << QString();
        QTest::newRow("Quit after a refusal")
            << QStringList{refused, ""} << QList<int>{kQuit} << data;
    }
    void cancelled_or_refused_dialog_comes_back_where_it_was_left_unless_quit() {
        QFETCH(QStringList, files);
        QFETCH(QList<int>, choices);
        QFETCH(QString, secondFolder);
        // State: the user leaves each dialog in another folder, on All Files.
        prompts_.fileAnswers = files;
        prompts_.choiceAnswers = choices;
        prompts_.placesLeft = {{QDir::tempPath(), "All Files (*)"},
                               {QDir::tempPath(), "All Files (*)"}};
        const Form1 window(prompts_);
        // Expected: one question per Cancel; the next dialog where the last was left.
        QCOMPARE(prompts_.fileRequests.size(), files.size());
        if (files.size() > 1) {
            QCOMPARE(prompts_.fileRequests[1].folder, secondFolder);
            QCOMPARE(prompts_.fileRequests[1].filter, QStringLiteral("All Files (*)"));
        }
        const auto questions = std::count_if(
            prompts_.messageRequests.cbegin(), prompts_.messageRequests.cend(),
            [](const MessageRequest& request) {
                return request.choices == QStringList{"Choose File...", "Quit"} &&
                       request.defaultChoice == kChooseFile && request.escapeChoice == kQuit &&
                       request.icon == QMessageBox::Question &&
                       request.title == "Vostrel Progression Calculator" &&
                       request.text == "The calculator needs a class data file to start.";
            });
        QCOMPARE(questions, choices.size());
        // On Quit the window was never shown and holds no half-loaded lists.
        const bool quit = choices.endsWith(kQuit);
        QCOMPARE(window.classDataLoaded(), !quit);
        QVERIFY(!window.isVisible());
        QCOMPARE(classList(window, 0)->count(), quit ? 0 : 4);
    }

    void refused_file_is_explained_in_plain_warning_then_dialog_asks_again() {
        // State: what the reader says of the refused file.
        vostrel::ClassTable scratch;
        const auto refusal =
            vostrel::loadClassData(testDataFile("refused.csv").toStdString(), scratch);
        QVERIFY(refusal.has_value());
        // Action: choose the refused file, then a good one.
        prompts_.fileAnswers = {testDataFile("refused.csv"),
                                testDataFile("warden_mystic_scout.csv")};
        const Form1 window(prompts_);
        // Expected: one warning carrying the reader's message, then the good file's classes.
        QCOMPARE(prompts_.fileRequests.size(), 2);
        QCOMPARE(prompts_.messageRequests.size(), 1);
        const MessageRequest& warning = prompts_.messageRequests.constFirst();
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(warning.text.contains(QString::fromStdString(vostrel::describe(*refusal))));
        QCOMPARE(itemsOf(classList(window, 9)),
                 (QStringList{"<None>", "Warden", "Mystic", "Scout"}));
    }

    void every_class_list_holds_none_then_names_in_file_order_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("notice");  // in the line under the report, and spoken
        QTest::newRow("three classes")
            << "warden_mystic_scout.csv" << QStringList{"<None>", "Warden", "Mystic", "Scout"}
            << QString();
        QTest::newRow("two classes, quoted feature")
            << "ironclad_seer.csv" << QStringList{"<None>", "Ironclad", "Seer"} << QString();
        QTest::newRow("empty file") << "empty.csv" << QStringList{"<None>"} << QString();
        QTest::newRow("a class whose saves read \"True\" and \"WAHR\": told, not asked")
            << "doubtful_classes.csv" << QStringList{"<None>", "Warden", "Seer", ""}
            << "1 class: \"True\" is a poor save (View > Classes)";
    }
    void every_class_list_holds_none_then_names_in_file_order() {
        QFETCH(QString, file);
        QFETCH(QStringList, items);
        QFETCH(QString, notice);
        const AccessibilityEvents events({QAccessible::ObjectShow});
        const auto window = loadedWindow(prompts_, qPrintable(file));
        const auto* line = window->findChild<QLabel*>("fileNotice");
        QCOMPARE(line != nullptr ? line->text() : QString(), notice);
        QVERIFY(line == nullptr || line->sizeHint().width() < window->width());
        showAndActivate(*window);
        QTRY_COMPARE(events.on(nullptr).size(), notice.isEmpty() ? 0 : 1);
        QVERIFY(notice.isEmpty() ||
                (events.on(nullptr).constFirst() == "notification " + line->toolTip() &&
                 line->toolTip().contains("only TRUE in capitals")));
        QVERIFY(prompts_.messageRequests.isEmpty());
        for (int i = 0; i < 10; ++i) {
            const QComboBox* list = classList(*window, i);
            QCOMPARE(itemsOf(list), items);
            QCOMPARE(list->currentIndex(), -1);
            QCOMPARE(list->currentText(), QStringLiteral("Class"));
        }
    }

    void window_appears_with_focus_on_first_class_list_ready_to_type_over_and_initial_texts() {
        const auto window = loadedWindow(prompts_);
        showAndActivate(*window);
        QCOMPARE(QApplication::focusWidget(), classList(*window, 0));
        QTest::keyClicks(QApplication::focusWidget(), "Zq");
        QCOMPARE(classList(*window, 0)->currentText(), QStringLiteral("Zq"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Vostrel Progression Calculator"));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(levelBox(*window, i)->text(), QStringLiteral("0"));
        }
        QVERIFY(control<QPlainTextEdit>(*window, "Txt_Output")->toPlainText().isEmpty());
    }

    void window_has_fixed_blue_client_area_of_312_by_346_below_menu_bar_and_own_icon() {
        const auto window = loadedWindow(prompts_);
        showAndActivate(*window);
        QWidget* client = window->centralWidget();
        QCOMPARE(client->size(), QSize(312, 346));
        QCOMPARE(client->y(), window->menuBar()->height());
        QCOMPARE(window->minimumSize(), window->maximumSize());
        // Left of the lists, between the title and the first row: bare client area.
        const QImage picture = client->grab().toImage();
        QCOMPARE(picture.pixelColor(4, 100), QColor(0, 0, 255));
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(41, 41)));
    }

    void title_is_white_bold_centred_and_fits_its_place() {
        const auto window = loadedWindow(prompts_);
        const auto* title = control<QLabel>(*window, "Label1");
        QCOMPARE(title->text(), QStringLiteral("Vostrel Progression Calculator"));
        QCOMPARE(title->font().family(), QStringLiteral("Rockwell Condensed"));
        QCOMPARE(title->font().pointSize(), 18);
        QVERIFY(title->font().bold());
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(title->alignment(), Qt::AlignCenter);
        QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
    }

    void tab_walks_lists_then_output_go_and_level_boxes_and_wraps() {
        const auto window = loadedWindow(prompts_);
        showAndActivate(*window);
        QStringList expected;
        for (int i = 1; i < 10; ++i) {
            expected << QStringLiteral("Cbo_Class_%1").arg(i);
        }
        expected << "Txt_Output"
                 << "Cmd_go";
        for (int i = 0; i < 5; ++i) {
            expected << QStringLiteral("Txt_Lvl_%1").arg(i);
        }
        expected << "Cbo_Class_0";
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void every_control_has_its_own_accessible_name() {
        const auto window = loadedWindow(prompts_);
        QCOMPARE(classList(*window, 2)->accessibleName(), QStringLiteral("Segment 2, first class"));
        QCOMPARE(classList(*window, 3)->accessibleName(),
                 QStringLiteral("Segment 2, second class"));
        QCOMPARE(levelBox(*window, 1)->accessibleName(), QStringLiteral("Levels in segment 2"));
        QSet<QString> names;
        const auto controls =
            window->centralWidget()->findChildren<QWidget*>(QRegularExpression("^(Txt|Cbo|Cmd)_"));
        QCOMPARE(controls.size(), 17);
        for (const QWidget* widget : controls) {
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
            names.insert(widget->accessibleName());
        }
        QCOMPARE(names.size(), 17);
    }

    void real_file_dialog_opens_in_program_folder_and_returns_the_chosen_file() {
        QString seenTitle;
        QStringList seenFilters;
        QString seenFolder;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            seenTitle = dialog->windowTitle();
            seenFilters = dialog->nameFilters();
            seenFolder = dialog->directory().absolutePath();
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            if (name == nullptr) {
                dialog->reject();
                return;
            }
            QTest::keyClicks(name, "dialog_choice.csv");
            QTest::keyClick(name, Qt::Key_Return);
        });
        QtUserPrompts prompts;
        const Form1 window(prompts);
        QCOMPARE(seenTitle, QStringLiteral("Open Information File"));
        QCOMPARE(seenFilters, (QStringList{"Comma Separated Values (*.csv)", "All Files (*)"}));
        QCOMPARE(seenFolder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
        QCOMPARE(itemsOf(classList(window, 0)),
                 (QStringList{"<None>", "Warden", "Mystic", "Scout"}));
    }

    void real_file_dialog_opens_where_told_lists_every_file_on_all_files_and_tells_where_left() {
        const QString csv = QStringLiteral("Comma Separated Values (*.csv)");
        const QString all = QStringLiteral("All Files (*)");
        QStringList seen;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            seen << dialog->directory().absolutePath() << dialog->selectedNameFilter();
            auto* files = dialog->findChild<QAbstractItemView*>("listView");
            const auto lists = [files](const QString& name) {
                const QModelIndex first = files->model()->index(0, 0, files->rootIndex());
                return first.isValid() &&
                       !files->model()
                            ->match(first, Qt::DisplayRole, name, 1, Qt::MatchExactly)
                            .isEmpty();
            };
            // The folder is read in the background.
            seen << QString::number(QTest::qWaitFor([&] { return lists("classes_without_dot"); }));
            dialog->selectNameFilter(csv);
            seen << QString::number(QTest::qWaitFor([&] { return !lists("classes_without_dot"); }));
            dialog->setDirectory(QDir::tempPath());
            dialog->reject();
        });
        QtUserPrompts prompts;
        FileDialogPlace place{VOSTREL_UI_TEST_DATA, all};
        QVERIFY(
            prompts.chooseOpenFile(nullptr, "Open Information File", place, {csv, all}).isEmpty());
        QCOMPARE(seen, (QStringList{VOSTREL_UI_TEST_DATA, all, "1", "1"}));
        QCOMPARE(place.folder, QDir(QDir::tempPath()).absolutePath());
        QCOMPARE(place.filter, csv);
    }

    void real_dialogs_before_the_window_shows_open_centred_on_the_screen_data() {
        QTest::addColumn<QString>("prompt");
        QTest::newRow("open-file dialog") << "file";
        QTest::newRow("question after Cancel") << "question";
        QTest::newRow("refusal message") << "message";
    }
    void real_dialogs_before_the_window_shows_open_centred_on_the_screen() {
        QFETCH(QString, prompt);
        QPoint seen;
        whenShown<QDialog>([&](QDialog* dialog) {
            seen = dialog->frameGeometry().center();
            dialog->reject();
        });
        // State: the main window during the start-up load, never shown yet.
        QWidget unshown;
        unshown.resize(312, 370);
        QtUserPrompts prompts;
        FileDialogPlace place{VOSTREL_UI_TEST_DATA, {}};
        if (prompt == "file") {
            prompts.chooseOpenFile(&unshown, "Open Information File", place, {"All Files (*)"});
        } else if (prompt == "question") {
            prompts.askChoice(&unshown, "T", "Text", {"Choose File...", "Quit"}, 0, 1, {});
        } else {
            prompts.showMessage(&unshown, "T", "Refused", QMessageBox::Ok, QMessageBox::Ok, {});
        }
        const QPoint centre = unshown.screen()->availableGeometry().center();
        QVERIFY2((seen - centre).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("centre %1,%2").arg(seen.x()).arg(seen.y())));
    }

    void real_question_has_its_own_buttons_and_answers_enter_and_escape_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter: the default") << int(Qt::Key_Return) << kChooseFile;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << kQuit;
    }
    void real_question_has_its_own_buttons_and_answers_enter_and_escape() {
        QFETCH(int, key);
        QFETCH(int, answer);
        QStringList seen;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            for (const QAbstractButton* button : box->buttons()) {
                seen << button->text();
            }
            seen.sort();
            seen << box->defaultButton()->text() << box->text();
            QTest::keyClick(box, Qt::Key(key));
        });
        QtUserPrompts prompts;
        QCOMPARE(prompts.askChoice(nullptr, "Title", "<b>Text</b>", {"Choose File...", "Quit"},
                                   kChooseFile, kQuit, QMessageBox::Question),
                 answer);
        QCOMPARE(seen, (QStringList{"Choose File...", "Quit", "Choose File...", "<b>Text</b>"}));
    }

    void real_message_box_shows_markup_as_text_and_answers_enter_and_escape_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Enter chooses the default OK") << int(Qt::Key_Return) << QMessageBox::Ok;
        QTest::newRow("Escape chooses Cancel") << int(Qt::Key_Escape) << QMessageBox::Cancel;
    }
    void real_message_box_shows_markup_as_text_and_answers_enter_and_escape() {
        QFETCH(int, key);
        QFETCH(QMessageBox::StandardButton, answer);
        const QString text = QStringLiteral("<b>Exit?</b>");
        Qt::TextFormat seenFormat = Qt::RichText;
        QString seenText;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            seenFormat = box->textFormat();
            seenText = box->text();
            QTest::keyClick(box, Qt::Key(key));
        });
        QtUserPrompts prompts;
        const auto pressed =
            prompts.showMessage(nullptr, "Exiting...", text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok, QMessageBox::NoIcon);
        QCOMPARE(pressed, answer);
        QCOMPARE(seenFormat, Qt::PlainText);
        QCOMPARE(seenText, text);
    }
};

int main(int argc, char** argv) {
    return runWindowTests<Form1StartupTest>(argc, argv);
}

#include "test_form1_startup.moc"
