#include "form1.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

#include "build_refusal.h"
#include "build_sheet_widget.h"
#include "build_text.h"
#include "classes_window.h"
#include "client_area.h"
#include "key_rules.h"
#include "level_by_level_window.h"
#include "menu_bar_keys.h"
#include "pair_table.h"
#include "pairs_window.h"
#include "spoken_notice.h"
#include "user_prompts.h"
#include "version.h"

namespace {

const QString kCaption = QStringLiteral("Vostrel Progression Calculator");
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

const QString& Form1::caption() {
    return kCaption;
}

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
