#include "form1.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringListModel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

#include "build_keeper.h"
#include "build_refusal.h"
#include "build_sheet_widget.h"
#include "build_text.h"
#include "carry_over.h"
#include "class_checks.h"
#include "class_file_watch.h"
#include "classes_window.h"
#include "client_area.h"
#include "compare_window.h"
#include "key_rules.h"
#include "level_by_level_window.h"
#include "menu_bar_keys.h"
#include "pair_table.h"
#include "pairs_window.h"
#include "pdf_file.h"
#include "print_service.h"
#include "sheet_document.h"
#include "spoken_notice.h"
#include "user_prompts.h"
#include "version.h"

namespace {

const QString kCaption = QStringLiteral("Vostrel Progression Calculator");
const QString kNoClass = QStringLiteral("<None>");
const QString kFeedbackAddress = QStringLiteral("feedback@example.org");

// The class file is watched from a moment after the window is up, so that
// watching adds nothing to the start.
constexpr auto kWatchAfterStart = std::chrono::seconds(1);

constexpr int kClientWidth = 312;
constexpr int kClientHeight = 346;

QString emptyBuildWords(vostrel::EmptyBuildUse use) {
    return QString::fromStdString(vostrel::emptyBuildText(use));
}

// The core separates report lines with CR LF; the text box has its own breaks.
QString displayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// "Generator" where the caption says "Calculator": the About box's own words,
// kept as they are.
QString aboutText() {
    return QStringList{QStringLiteral("Vostrel Progression Generator"),
                       QStringLiteral("Version: %1.%2.%3")
                           .arg(vostrel::kVersionMajor)
                           .arg(vostrel::kVersionMinor)
                           .arg(vostrel::kVersionRevision),
                       QStringLiteral("Made by Kelmor"), QStringLiteral("Please Send Feedback to:"),
                       kFeedbackAddress}
        .join(QLatin1Char('\n'));
}

// A menu command: its item, with the shortcut also written into the item's text
// after a tab, where the menu shows it in its own column anyway. A screen reader
// reads that text, but Qt hands it the shortcut itself in a form Orca never speaks.
template <typename Slot>
QAction* addCommand(QMenu& menu, const QString& text, const QString& name,
                    const QKeySequence& shortcut, Form1* window, Slot run) {
    QAction* command =
        menu.addAction(text + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText));
    command->setObjectName(name);
    command->setShortcut(shortcut);
    QObject::connect(command, &QAction::triggered, window, run);
    return command;
}

}  // namespace

Form1::Form1(UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), loader_(prompts) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vostrel-calculator.png")));
    // The names first: lists made with them in place skip a round of changes each.
    classNames_ = new QStringListModel(this);
    classDataLoaded_ = loadClassData();
    createWidgets();
    createMenus();
    new KeyRules(*this);
    new MenuBarKeys(*this);
    if (classDataLoaded_) {
        buildSheet_->focusFirstList();
        QTimer::singleShot(kWatchAfterStart, this, &Form1::watchClassFile);
    }
}

void Form1::createWidgets() {
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    // The rows were drawn up for an 8-point face: at the usual 9 or 10 points the
    // class names no longer fit their lists, nor the report its box.
    QFont controlFont = client->font();
    controlFont.setPointSize(8);
    client->setFont(controlFont);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    createTitle(*client);

    buildSheet_ = new BuildSheetWidget(*classNames_, client);
    buildSheet_->setGeometry(fromTwips(720, 600, 3255, 1755));

    Cmd_go = new QPushButton(QStringLiteral("Go"), client);
    Cmd_go->setObjectName(QStringLiteral("Cmd_go"));
    Cmd_go->setGeometry(fromTwips(720, 2400, 3255, 375));
    Cmd_go->setAutoDefault(false);
    Cmd_go->setDefault(false);
    Cmd_go->setAccessibleName(QStringLiteral("Go"));
    Cmd_go->setAccessibleDescription(QStringLiteral("Computes the report for the build above"));
    connect(Cmd_go, &QPushButton::clicked, this, &Form1::onGoClicked);
    connect(buildSheet_, &BuildSheetWidget::rowMoved, this, [this](int from, int to) {
        runGo(QStringLiteral("Row %1 moved to row %2.").arg(from).arg(to));
    });
    connect(buildSheet_, &BuildSheetWidget::rowCleared, this,
            [this](int row) { runGo(QStringLiteral("Row %1 cleared.").arg(row)); });

    Txt_Output = new QPlainTextEdit(client);
    Txt_Output->setObjectName(QStringLiteral("Txt_Output"));
    Txt_Output->setGeometry(fromTwips(120, 2880, 4455, 2175));
    Txt_Output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Txt_Output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Txt_Output->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Txt_Output->setTabChangesFocus(true);
    Txt_Output->setAccessibleName(QStringLiteral("Progression report"));

    buildSheet_->chainTabOrder({Txt_Output, Cmd_go});
}

void Form1::createTitle(QWidget& client) {
    Label1 = new QLabel(kCaption, &client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(fromTwips(120, 0, 4455, 495));
    Label1->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = Label1->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(titlePalette);
    QFont titleFont(QStringLiteral("Rockwell Condensed"), 18, QFont::Bold);
    // Among the installed families, as QFontDatabase::hasFamily() looks too, but
    // without resolving an alias first, which cost a hundredth of the start-up:
    // the family an alias names is a substitute all the same.
    if (!QFontDatabase::families().contains(titleFont.family(), Qt::CaseInsensitive)) {
        // Substitutes are wider than Rockwell Condensed. Asking for a condensed
        // face before measuring means the face measured is the face drawn, and
        // start-up loads one bold face instead of two.
        titleFont.setStretch(QFont::SemiCondensed);
    }
    // Narrow the face further until the title fits its place, with 2 in 100
    // spare for rounded advances.
    const int room = Label1->width();
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(kCaption);
    if (wanted > room) {
        const int stretch =
            titleFont.stretch() == QFont::AnyStretch ? QFont::Unstretched : titleFont.stretch();
        titleFont.setStretch(
            std::max<int>(QFont::UltraCondensed, stretch * room * 98 / (100 * wanted)));
    }
    Label1->setFont(titleFont);
}

// The menu bar in its order, a line a command.
void Form1::createMenus() {
    const auto addMenu = [this](const QString& title, const QString& name) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setObjectName(name);
        return menu;
    };
    QMenu* file = addMenu(QStringLiteral("File"), QStringLiteral("Menu_File"));
    addCommand(*file, QStringLiteral("Open Class File..."), QStringLiteral("Menu_OpenClassFile"),
               Qt::CTRL | Qt::Key_O, this, &Form1::openClassFile);
    addCommand(*file, QStringLiteral("Reload Class File"), QStringLiteral("Menu_ReloadClassFile"),
               Qt::CTRL | Qt::Key_R, this, &Form1::reloadClassFile);
    addCommand(*file, QStringLiteral("Print..."), QStringLiteral("Menu_Print"),
               Qt::CTRL | Qt::Key_P, this, [this] { printSheet(false); });
    file->addAction(QStringLiteral("Print Preview..."), this, [this] { printSheet(true); })
        ->setObjectName(QStringLiteral("Menu_PrintPreview"));
    addCommand(*file, QStringLiteral("Save as PDF..."), QStringLiteral("Menu_SaveAsPdf"),
               Qt::CTRL | Qt::SHIFT | Qt::Key_S, this, &Form1::saveSheetAsPdf);
    addCommand(*file, QStringLiteral("Exit"), QStringLiteral("Menu_Exit"), Qt::CTRL | Qt::Key_X,
               this, &Form1::confirmExit);
    // Edit leaves Ctrl+C, Ctrl+V and Ctrl+X to the text fields and Exit.
    QMenu* edit = addMenu(QStringLiteral("Edit"), QStringLiteral("Menu_Edit"));
    addCommand(*edit, QStringLiteral("Copy Build"), QStringLiteral("Menu_CopyBuild"),
               Qt::CTRL | Qt::SHIFT | Qt::Key_C, this, &Form1::copyBuild);
    addCommand(*edit, QStringLiteral("Paste Build"), QStringLiteral("Menu_PasteBuild"),
               Qt::CTRL | Qt::SHIFT | Qt::Key_V, this, &Form1::pasteBuild);
    addCommand(*edit, QStringLiteral("Keep Build"), QStringLiteral("Menu_KeepBuild"),
               Qt::CTRL | Qt::SHIFT | Qt::Key_K, this, &Form1::keepBuild);
    QMenu* view = addMenu(QStringLiteral("View"), QStringLiteral("Menu_View"));
    addCommand(*view, QStringLiteral("Level by Level"), QStringLiteral("Menu_LevelByLevel"),
               Qt::Key_F2, this, &Form1::showLevelByLevel);
    addCommand(*view, QStringLiteral("Classes"), QStringLiteral("Menu_Classes"), Qt::Key_F3, this,
               &Form1::showClasses);
    addCommand(*view, QStringLiteral("Pairs"), QStringLiteral("Menu_Pairs"), Qt::Key_F4, this,
               &Form1::showPairs);
    addCommand(*view, QStringLiteral("Compare Builds"), QStringLiteral("Menu_CompareBuilds"),
               Qt::Key_F5, this, &Form1::showCompare);
    QMenu* help = addMenu(QStringLiteral("Help"), QStringLiteral("Menu_Help"));
    addCommand(*help, QStringLiteral("About"), QStringLiteral("Menu_About"), Qt::Key_F1, this,
               &Form1::showAbout);
}

bool Form1::loadClassData() {
    std::optional<LoadedClassFile> loaded = loader_.loadAtStart(this);
    if (!loaded) {
        return false;
    }
    classTable_ = std::move(loaded->table);
    classFilePath_ = loaded->path;
    showClassNames();
    tellDoubtfulSaves();
    return true;
}

// A save column reading "True" or "WAHR" loads as a poor save, as the file format
// has it; the player learns of it on loading, in the line under the report, without
// a box to dismiss, and not only in View > Classes.
void Form1::tellDoubtfulSaves() {
    const vostrel::DoubtfulSaves doubtful = vostrel::doubtfulSaves(classTable_);
    if (doubtful.classes == 0) {
        return;
    }
    const QString found = QString::fromStdString(doubtful.firstText);
    const QString classes = doubtful.classes == 1
                                ? QStringLiteral("1 class")
                                : QStringLiteral("%1 classes").arg(doubtful.classes);
    // Short enough for the line; the whole of it in the tooltip and to a screen reader.
    // At start the notice, shown with the window, is told as the window appears.
    showFileNotice(
        QStringLiteral("%1: \"%2\" is a poor save (View > Classes)").arg(classes, found),
        QStringLiteral("%1 of the file read a save column as \"%2\" or the like, neither TRUE "
                       "nor FALSE: only TRUE in capitals marks a good save, so such a save "
                       "counts as poor. View > Classes (F3) shows which.")
            .arg(classes, found));
}

void Form1::showClassNames() {
    QStringList names{kNoClass};
    for (const std::string& name : classTable_.classNames()) {
        names.append(QString::fromStdString(name));
    }
    classNames_->setStringList(names);
}

void Form1::openClassFile() {
    if (std::optional<LoadedClassFile> loaded = loader_.open(this)) {
        useClassFile(std::move(*loaded));
    }
}

void Form1::reloadClassFile() {
    if (std::optional<LoadedClassFile> loaded = loader_.reload(this, classFilePath_)) {
        useClassFile(std::move(*loaded));
    }
}

void Form1::useClassFile(LoadedClassFile loaded) {
    const vostrel::CarriedBuild carried =
        vostrel::carryOverBuild(buildSheet_->settledSheet(), classTable_, loaded.table);
    const vostrel::ClassTable previous = std::exchange(classTable_, std::move(loaded.table));
    classFilePath_ = loaded.path;
    showClassNames();
    buildSheet_->setSheet(carried.sheet);
    if (fileWatch_ != nullptr) {
        fileWatch_->watch(classFilePath_);
    }
    if (fileNotice_ != nullptr) {
        statusBar()->hide();
    }
    tellDoubtfulSaves();
    classesReplaced(previous);
    onGoClicked();
    if (!carried.lost.empty()) {
        QStringList lost;
        for (const vostrel::LostChoice& choice : carried.lost) {
            lost.append(QString::fromStdString(vostrel::lostChoiceText(choice)));
        }
        prompts_.showMessage(this, kCaption, lost.join(QLatin1Char('\n')), QMessageBox::Ok,
                             QMessageBox::Ok, QMessageBox::Information);
    }
}

void Form1::classesReplaced(const vostrel::ClassTable& previous) {
    // Kept builds hold class slots: they follow their classes by name as the rows do.
    if (keeper_ != nullptr) {
        keeper_->carryOver(previous, classTable_);
    }
    if (classes_ != nullptr) {
        classes_->showClasses(classFilePath_, classTable_);
    }
    if (pairs_ != nullptr) {
        pairs_->showTable(classTable_);
    }
}

void Form1::watchClassFile() {
    if (fileWatch_ != nullptr) {
        return;
    }
    fileWatch_ = new ClassFileWatch(this);
    const auto name = [this] { return QFileInfo(classFilePath_).fileName(); };
    connect(fileWatch_, &ClassFileWatch::changed, this, [this, name] {
        showFileNotice(QStringLiteral("%1 changed on disk: Ctrl+R reloads it").arg(name()));
    });
    connect(fileWatch_, &ClassFileWatch::gone, this, [this, name] {
        showFileNotice(QStringLiteral("%1 is gone from disk: the classes loaded stay").arg(name()));
    });
    fileWatch_->watch(classFilePath_);
}

// Below the rows, where it takes no room until needed; told to a screen reader too.
void Form1::showFileNotice(const QString& text, const QString& detail) {
    if (fileNotice_ == nullptr) {
        fileNotice_ = new QLabel(this);
        fileNotice_->setObjectName(QStringLiteral("fileNotice"));
        statusBar()->addPermanentWidget(fileNotice_, 1);
        statusBar()->setSizeGripEnabled(false);
        // Not the central widget: at start the notice may come before it is made.
        fileNoticeSpoken_ = new SpokenNotice(this);
    }
    fileNotice_->setText(text);
    fileNotice_->setToolTip(detail);
    const QString told = detail.isEmpty() ? text : detail;
    fileNotice_->setAccessibleName(told);
    statusBar()->show();
    fileNoticeSpoken_->say(told);
}

void Form1::onGoClicked() {
    runGo({});
}

void Form1::runGo(const QString& saidFirst) {
    Txt_Output->clear();
    const vostrel::BuildSheet sheet = buildSheet_->settledSheet();
    const vostrel::ProgressionResult result = vostrel::computeProgression(sheet, classTable_);
    switch (result.outcome) {
        case vostrel::ProgressionOutcome::TooManyLevels:
            Txt_Output->setPlainText(QString::fromUtf8(vostrel::kTooManyLevelsText));
            break;
        case vostrel::ProgressionOutcome::NothingToShow:
            break;
        case vostrel::ProgressionOutcome::Finished:
            Txt_Output->setPlainText(
                displayText(vostrel::buildReportText(result.state, classTable_)));
            break;
    }
    const QString outcome = Txt_Output->toPlainText();
    Txt_Output->setPlaceholderText(
        outcome.isEmpty() ? emptyBuildWords(vostrel::EmptyBuildUse::ReportHint) : QString());
    const QString told =
        outcome.isEmpty() ? emptyBuildWords(vostrel::EmptyBuildUse::NoReport) : outcome;
    tellOutcome(saidFirst.isEmpty() ? told : saidFirst + QLatin1Char('\n') + told);
    if (levelByLevel_ != nullptr && levelByLevel_->isVisible()) {
        levelByLevel_->showBuild(sheet, classTable_);
    }
    refreshCompare();
}

// A screen reader does not speak the report box while Go keeps the focus; it is
// told each outcome, the same one twice too.
void Form1::tellOutcome(const QString& outcome) {
    if (outcomeNotice_ == nullptr) {
        outcomeNotice_ = new SpokenNotice(centralWidget());
    }
    outcomeNotice_->say(outcome);
}

void Form1::showAbout() {
    prompts_.showMessage(this, QStringLiteral("About"), aboutText(), QMessageBox::Ok,
                         QMessageBox::Ok, QMessageBox::Information);
}

void Form1::confirmExit() {
    const auto answer = prompts_.showMessage(
        this, QStringLiteral("Exiting..."), QStringLiteral("Exit?"),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::NoIcon);
    if (answer == QMessageBox::Ok) {
        close();
    }
}

void Form1::showLevelByLevel() {
    if (levelByLevel_ == nullptr) {
        levelByLevel_ = new LevelByLevelWindow(*this);
    }
    // F2 takes the build as Go does, so that the table's last row and the report agree.
    const bool refreshedByGo = levelByLevel_->isVisible();
    onGoClicked();
    if (!refreshedByGo) {
        levelByLevel_->showBuild(buildSheet_->sheet(), classTable_);
    }
    levelByLevel_->present();
}

void Form1::copyBuild() {
    const std::string text = vostrel::buildText(buildSheet_->settledSheet(), classTable_);
    if (text.empty()) {
        prompts_.showMessage(this, QStringLiteral("Copy Build"),
                             emptyBuildWords(vostrel::EmptyBuildUse::NoRows), QMessageBox::Ok,
                             QMessageBox::Ok, QMessageBox::Information);
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

// The whole text is read before any control changes, so a fault changes nothing.
void Form1::pasteBuild() {
    const vostrel::PastedBuild pasted =
        vostrel::readBuildText(QGuiApplication::clipboard()->text().toStdString(), classTable_);
    if (pasted.refusal) {
        prompts_.showMessage(this, QStringLiteral("Paste Build"),
                             QString::fromStdString(vostrel::describe(*pasted.refusal)),
                             QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    replaceRows(pasted.sheet, QStringLiteral("Paste Build"), this);
}

void Form1::showClasses() {
    if (classes_ == nullptr) {
        classes_ = new ClassesWindow(*this);
        classes_->showClasses(classFilePath_, classTable_);
    }
    classes_->present();
}

void Form1::showPairs() {
    if (pairs_ == nullptr) {
        pairs_ = new PairsWindow(*this, classTable_, *classNames_);
        connect(pairs_, &PairsWindow::pairChosen, this, &Form1::usePair);
    }
    pairs_->present();
}

void Form1::usePair(int first, int second, int level) {
    vostrel::BuildSheet sheet = buildSheet_->settledSheet();
    const vostrel::PairPlace place = vostrel::placeOfPair(sheet, level);
    if (place.fit != vostrel::PairFit::Fits) {
        prompts_.showMessage(pairs_, QStringLiteral("Use Pair"),
                             QString::fromStdString(vostrel::describe(place)), QMessageBox::Ok,
                             QMessageBox::Ok, QMessageBox::Information);
        return;
    }
    vostrel::Segment& segment = sheet.segments[static_cast<std::size_t>(place.segment - 1)];
    segment.levelText = std::to_string(place.levels);
    segment.firstClass = static_cast<std::int16_t>(first);
    segment.secondClass = static_cast<std::int16_t>(second);
    replaceRows(sheet, QStringLiteral("Use Pair"), pairs_);
}

bool Form1::replaceRows(const vostrel::BuildSheet& sheet, const QString& command, QWidget* asker) {
    if (!keeper().keepReplaced(buildSheet_->settledSheet(), sheet, classTable_, command, asker)) {
        return false;
    }
    buildSheet_->setSheet(sheet);
    onGoClicked();
    return true;
}

BuildKeeper& Form1::keeper() {
    if (keeper_ == nullptr) {
        keeper_ = new BuildKeeper(prompts_, this);
        connect(keeper_, &BuildKeeper::changed, this, &Form1::refreshCompare);
    }
    return *keeper_;
}

void Form1::keepBuild() {
    QWidget* asker = this;
    if (compare_ != nullptr && compare_->isActiveWindow()) {
        asker = compare_;
    }
    keeper().keep(buildSheet_->settledSheet(), classTable_, QStringLiteral("Keep Build"), asker);
}

void Form1::showCompare() {
    if (compare_ == nullptr) {
        compare_ = new CompareWindow(*this);
        connect(compare_, &CompareWindow::useRequested, this, &Form1::useKept);
        connect(compare_, &CompareWindow::renameRequested, this,
                [this](int index) { keeper().rename(static_cast<std::size_t>(index), compare_); });
        connect(compare_, &CompareWindow::removeRequested, this,
                [this](int index) { keeper().remove(static_cast<std::size_t>(index)); });
        connect(compare_, &CompareWindow::keepRequested, this, &Form1::keepBuild);
        connect(compare_, &CompareWindow::addFromClipboardRequested, this,
                [this] { keeper().keepFromClipboard(classTable_, compare_); });
    }
    // The current build is the one Go takes, as for Level by Level.
    const bool refreshedByGo = compare_->isVisible();
    onGoClicked();
    if (!refreshedByGo) {
        compare_->showBuilds(buildSheet_->sheet(), keeper().builds(), classTable_);
    }
    compare_->present();
}

// Only an open window follows the builds; it takes them anew when it opens.
void Form1::refreshCompare() {
    if (compare_ != nullptr && compare_->isVisible()) {
        compare_->showBuilds(buildSheet_->sheet(), keeper().builds(), classTable_);
    }
}

void Form1::useKept(int index) {
    const vostrel::KeptBuilds& kept = keeper().builds();
    if (index < 0 || static_cast<std::size_t>(index) >= kept.size()) {
        return;
    }
    // A copy: keeping the replaced build may let this one go from the list.
    const vostrel::KeptBuild used = kept[static_cast<std::size_t>(index)];
    replaceRows(used.rows, QStringLiteral("Use ") + QString::fromStdString(used.name), compare_);
}

SheetDocument Form1::sheetDocumentOf(const vostrel::BuildSheet& sheet) const {
    return sheetDocument(sheet, classTable_, QFileInfo(classFilePath_).fileName(),
                         explainedOnPaper_);
}

// Nothing, after saying what the build needs, as Go's empty report box does.
std::optional<PrintedDocument> Form1::sheetToPrint(const QString& title,
                                                   const vostrel::BuildSheet& built) {
    SheetDocument sheet = sheetDocumentOf(built);
    if (!sheet.document) {
        prompts_.showMessage(this, title, sheet.refusal, QMessageBox::Ok, QMessageBox::Ok,
                             QMessageBox::Information);
    }
    return std::move(sheet.document);
}

// The preview offers the words of each level; the choice holds for the run.
void Form1::printSheet(bool preview) {
    const QString title = preview ? QStringLiteral("Print Preview") : QStringLiteral("Print");
    const vostrel::BuildSheet built = buildSheet_->settledSheet();
    const std::optional<PrintedDocument> sheet = sheetToPrint(title, built);
    if (!sheet) {
        return;
    }
    // Painted anew when the preview's option changes.
    PrintJob job = printJob(
        [this, built] { return sheetDocumentOf(built).document.value_or(PrintedDocument{}); });
    if (preview) {
        job.optionText = QStringLiteral("Explain each level");
        job.option = &explainedOnPaper_;
    }
    const QString problem = printDocument(this, job, preview);
    if (!problem.isEmpty()) {
        prompts_.showMessage(this, title, problem, QMessageBox::Ok, QMessageBox::Ok,
                             QMessageBox::Warning);
    }
}

void Form1::saveSheetAsPdf() {
    const QString title = QStringLiteral("Save as PDF");
    const vostrel::BuildSheet built = buildSheet_->settledSheet();
    const std::optional<PrintedDocument> sheet = sheetToPrint(title, built);
    if (!sheet) {
        return;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    const QString path = prompts_.chooseSaveFile(
        this, title, QDir(folder).filePath(sheetFileName(built, classTable_)),
        {QStringLiteral("PDF files (*.pdf)")}, QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return;
    }
    const QString problem = writePdf(path, *sheet);
    if (!problem.isEmpty()) {
        prompts_.showMessage(this, title,
                             QStringLiteral("Could not save \"%1\": %2")
                                 .arg(QDir::toNativeSeparators(path), problem),
                             QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning);
    }
}
