#include "form1.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "build_text.h"
#include "class_file_reader.h"
#include "class_list.h"
#include "classes_window.h"
#include "client_area.h"
#include "level_box_filter.h"
#include "level_by_level_window.h"
#include "pair_table.h"
#include "pairs_window.h"
#include "start_folder.h"
#include "user_prompts.h"
#include "version.h"

namespace {

const QString kCaption = QStringLiteral("Vostrel Progression Calculator");
const QString kDialogTitle = QStringLiteral("Open Information File");
// Qt reads "*.*" literally, missing files without a dot; "*" is every file.
const QStringList kDialogFilters = {QStringLiteral("Comma Separated Values (*.csv)"),
                                    QStringLiteral("All Files (*)")};
const QString kNoClass = QStringLiteral("<None>");
// What Go says to a screen reader when the report box stays empty.
const QString kNoReport =
    QStringLiteral("No report: the first row needs two classes and a level count.");
const QString kFeedbackAddress = QStringLiteral("feedback@example.org");

constexpr int kClientWidth = 312;
constexpr int kClientHeight = 346;

// The layout is drawn up in twips, 15 to a pixel; a few widths fall between
// pixels and go to the nearest one.
constexpr QRect fromTwips(int left, int top, int width, int height) {
    constexpr auto px = [](int twips) { return (twips + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

constexpr int kRowTop = 600;
constexpr int kRowPitch = 360;

// A list holds "<None>" and at most 40 classes, so its index is -1..40 and is
// the chosen class's slot; anything else cannot come from it and counts as none.
std::int16_t chosenSlot(const QComboBox& list) {
    const int index = list.currentIndex();
    if (index < -1 || index > vostrel::kMaxClasses) {
        return -1;
    }
    return static_cast<std::int16_t>(index);
}

// The core separates report lines with CR LF; the text box has its own breaks.
QString displayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

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

}  // namespace

Form1::Form1(UserPrompts& prompts, QWidget* parent) : QMainWindow(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vostrel-calculator.png")));
    createWidgets();
    createMenus();
    createEditMenu();
    createConnections();
    setTabOrderAndNames();
    classDataLoaded_ = loadClassData();
    if (classDataLoaded_) {
        // Typing replaces "Class" instead of adding to it.
        Cbo_Class[0]->setFocus();
        Cbo_Class[0]->lineEdit()->selectAll();
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

    Label1 = new QLabel(kCaption, client);
    Label1->setGeometry(fromTwips(120, 0, 4455, 495));
    Label1->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = Label1->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(titlePalette);
    QFont titleFont(QStringLiteral("Rockwell Condensed"), 18, QFont::Bold);
    if (!QFontDatabase::hasFamily(titleFont.family())) {
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

    for (int k = 0; k < vostrel::kSegmentCount; ++k) {
        const int top = kRowTop + kRowPitch * k;
        const auto row = static_cast<std::size_t>(k);
        for (std::size_t side = 0; side < 2; ++side) {
            auto* list = new ClassList(client);
            list->setGeometry(fromTwips(side == 0 ? 720 : 2160, top, 1400, 315));
            Cbo_Class[2 * row + side] = list;
        }
        auto* box = new QLineEdit(QStringLiteral("0"), client);
        box->setMaxLength(2);
        box->setGeometry(fromTwips(3600, top, 375, 285));
        Txt_Lvl[row] = box;
    }

    Cmd_go = new QPushButton(QStringLiteral("Go"), client);
    Cmd_go->setGeometry(fromTwips(720, 2400, 3255, 375));
    Cmd_go->setAutoDefault(false);
    Cmd_go->setDefault(false);

    Txt_Output = new QPlainTextEdit(client);
    Txt_Output->setGeometry(fromTwips(120, 2880, 4455, 2175));
    Txt_Output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Txt_Output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Txt_Output->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Txt_Output->setTabChangesFocus(true);
}

void Form1::createMenus() {
    Menu_File = menuBar()->addMenu(QStringLiteral("File"));
    Menu_Exit = Menu_File->addAction(QStringLiteral("Exit"));
    Menu_Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Menu_View = menuBar()->addMenu(QStringLiteral("View"));
    Menu_View->setObjectName(QStringLiteral("Menu_View"));
    Menu_LevelByLevel = Menu_View->addAction(QStringLiteral("Level by Level"));
    Menu_LevelByLevel->setObjectName(QStringLiteral("Menu_LevelByLevel"));
    Menu_LevelByLevel->setShortcut(QKeySequence(Qt::Key_F2));
    Menu_Classes = Menu_View->addAction(QStringLiteral("Classes"));
    Menu_Classes->setObjectName(QStringLiteral("Menu_Classes"));
    Menu_Classes->setShortcut(QKeySequence(Qt::Key_F3));
    Menu_Pairs = Menu_View->addAction(QStringLiteral("Pairs"));
    Menu_Pairs->setObjectName(QStringLiteral("Menu_Pairs"));
    Menu_Pairs->setShortcut(QKeySequence(Qt::Key_F4));
    Menu_Help = menuBar()->addMenu(QStringLiteral("Help"));
    Menu_About = Menu_Help->addAction(QStringLiteral("About"));
    Menu_About->setShortcut(QKeySequence(Qt::Key_F1));
    // The menus carry no access keys; F10 is the desktop's key for the menu bar.
    auto* openMenuBar = new QAction(this);
    openMenuBar->setShortcut(QKeySequence(Qt::Key_F10));
    connect(openMenuBar, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(Menu_File->menuAction()); });
    addAction(openMenuBar);
}

void Form1::createConnections() {
    connect(Cmd_go, &QPushButton::clicked, this, &Form1::onGoClicked);
    Cmd_go->installEventFilter(this);  // Enter on the focused Go presses it
    for (int i = 0; i < vostrel::kSegmentCount; ++i) {
        connect(Txt_Lvl[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { onLevelTextChanged(i, text); });
    }
    connect(Menu_Exit, &QAction::triggered, this, &Form1::confirmExit);
    connect(Menu_About, &QAction::triggered, this, &Form1::showAbout);
    connect(Menu_LevelByLevel, &QAction::triggered, this, &Form1::showLevelByLevel);
    connect(Menu_Classes, &QAction::triggered, this, &Form1::showClasses);
    connect(Menu_Pairs, &QAction::triggered, this, &Form1::showPairs);

    // Text fields claim Ctrl+X for Cut; Exit must win wherever the focus is.
    Txt_Output->installEventFilter(this);
    for (QLineEdit* box : Txt_Lvl) {
        box->installEventFilter(this);
    }
    for (QComboBox* list : Cbo_Class) {
        list->installEventFilter(this);
        list->lineEdit()->installEventFilter(this);
    }
}

void Form1::setTabOrderAndNames() {
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    };
    for (std::size_t i = 0; i < Cbo_Class.size(); ++i) {
        const auto segment = QString::number(i / 2 + 1);
        Cbo_Class[i]->setObjectName(QStringLiteral("Cbo_Class_%1").arg(i));
        Cbo_Class[i]->setAccessibleName(
            QStringLiteral("Segment %1, %2 class").arg(segment, i % 2 == 0 ? "first" : "second"));
        chain(Cbo_Class[i]);
    }
    Txt_Output->setObjectName(QStringLiteral("Txt_Output"));
    Txt_Output->setAccessibleName(QStringLiteral("Progression report"));
    chain(Txt_Output);
    Cmd_go->setObjectName(QStringLiteral("Cmd_go"));
    Cmd_go->setAccessibleName(QStringLiteral("Go"));
    Cmd_go->setAccessibleDescription(QStringLiteral("Computes the report for the build above"));
    chain(Cmd_go);
    for (std::size_t i = 0; i < Txt_Lvl.size(); ++i) {
        Txt_Lvl[i]->setObjectName(QStringLiteral("Txt_Lvl_%1").arg(i));
        Txt_Lvl[i]->setAccessibleName(QStringLiteral("Levels in segment %1").arg(i + 1));
        chain(Txt_Lvl[i]);
    }
    Label1->setObjectName(QStringLiteral("Label1"));
    Menu_File->setObjectName(QStringLiteral("Menu_File"));
    Menu_Exit->setObjectName(QStringLiteral("Menu_Exit"));
    Menu_Help->setObjectName(QStringLiteral("Menu_Help"));
    Menu_About->setObjectName(QStringLiteral("Menu_About"));
}

bool Form1::loadClassData() {
    FileDialogPlace place;
    for (;;) {
        const std::optional<QString> path = chooseClassFile(place);
        if (!path) {
            return false;
        }
        classTable_ = vostrel::ClassTable{};
        const auto error =
            vostrel::loadClassData(QFile::encodeName(*path).toStdString(), classTable_);
        if (!error) {
            classFilePath_ = QFileInfo(*path).absoluteFilePath();
            break;
        }
        prompts_.showMessage(this, kCaption,
                             QString::fromStdString(error->message) +
                                 QStringLiteral("\n\nChoose another class data file."),
                             QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning);
        place.folder = QFileInfo(*path).absolutePath();
    }
    fillClassLists();
    return true;
}

// Nothing, when the user would rather quit than choose.
std::optional<QString> Form1::chooseClassFile(FileDialogPlace& place) {
    if (place.folder.isEmpty()) {
        place.folder = startFolder(QCoreApplication::applicationDirPath(), QDir::homePath());
    }
    for (;;) {
        const QString path = prompts_.chooseOpenFile(this, kDialogTitle, place, kDialogFilters);
        if (!path.isEmpty()) {
            return path;
        }
        const int answer = prompts_.askChoice(
            this, kCaption, QStringLiteral("The calculator needs a class data file to start."),
            {QStringLiteral("Choose File..."), QStringLiteral("Quit")}, 0, 1,
            QMessageBox::Question);
        if (answer != 0) {
            return std::nullopt;
        }
    }
}

void Form1::fillClassLists() {
    QStringList items{kNoClass};
    for (const std::string& name : classTable_.classNames()) {
        items.append(QString::fromStdString(name));
    }
    for (ClassList* list : Cbo_Class) {
        list->addItems(items);
        // Adding the first item selects it; the list shows "Class" until the user picks.
        list->clearChoice();
    }
}

// Go and the level-by-level table both end any editing of a list's text first,
// so that the lists show what is counted.
vostrel::BuildSheet Form1::takeBuildSheet() {
    for (ClassList* list : Cbo_Class) {
        list->settleText();
    }
    vostrel::BuildSheet sheet;
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        vostrel::Segment& segment = sheet.segments[k];
        segment.levelText = Txt_Lvl[k]->text().toStdString();
        segment.firstClass = chosenSlot(*Cbo_Class[2 * k]);
        segment.secondClass = chosenSlot(*Cbo_Class[2 * k + 1]);
    }
    return sheet;
}

void Form1::onGoClicked() {
    Txt_Output->clear();
    const vostrel::BuildSheet sheet = takeBuildSheet();
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
    // A screen reader does not speak the report box while Go keeps the focus, but it
    // does speak a new description of the focused control; Qt sends the change at
    // every press, so the same outcome twice is heard twice.
    const QString outcome = Txt_Output->toPlainText();
    Cmd_go->setAccessibleDescription(outcome.isEmpty() ? kNoReport : outcome);
    if (levelByLevel_ != nullptr && levelByLevel_->isVisible()) {
        levelByLevel_->showBuild(sheet, classTable_);
    }
}

// Setting "0" changes the text again; that nested run sees a digit and stops.
void Form1::onLevelTextChanged(int index, const QString& text) {
    if (!levelTextPasses(text)) {
        Txt_Lvl[static_cast<std::size_t>(index)]->setText(QStringLiteral("0"));
    }
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
        levelByLevel_->showBuild(takeBuildSheet(), classTable_);
    }
    levelByLevel_->present();
}

// Edit sits between File and View; its shortcuts leave Ctrl+C, Ctrl+V and Ctrl+X
// to the text fields and Exit.
void Form1::createEditMenu() {
    Menu_Edit = new QMenu(QStringLiteral("Edit"), this);
    Menu_Edit->setObjectName(QStringLiteral("Menu_Edit"));
    menuBar()->insertMenu(Menu_View->menuAction(), Menu_Edit);
    Menu_CopyBuild = Menu_Edit->addAction(QStringLiteral("Copy Build"));
    Menu_CopyBuild->setObjectName(QStringLiteral("Menu_CopyBuild"));
    Menu_CopyBuild->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    Menu_PasteBuild = Menu_Edit->addAction(QStringLiteral("Paste Build"));
    Menu_PasteBuild->setObjectName(QStringLiteral("Menu_PasteBuild"));
    Menu_PasteBuild->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(Menu_CopyBuild, &QAction::triggered, this, &Form1::copyBuild);
    connect(Menu_PasteBuild, &QAction::triggered, this, &Form1::pasteBuild);
}

void Form1::copyBuild() {
    const std::string text = vostrel::buildText(takeBuildSheet(), classTable_);
    if (text.empty()) {
        prompts_.showMessage(this, QStringLiteral("Copy Build"),
                             QString::fromUtf8(vostrel::kNothingToCopyText), QMessageBox::Ok,
                             QMessageBox::Ok, QMessageBox::Information);
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

// The whole text is read before any control changes, so a fault changes nothing.
void Form1::pasteBuild() {
    const vostrel::PastedBuild pasted =
        vostrel::readBuildText(QGuiApplication::clipboard()->text().toStdString(), classTable_);
    if (!pasted.error.empty()) {
        prompts_.showMessage(this, QStringLiteral("Paste Build"),
                             QString::fromStdString(pasted.error), QMessageBox::Ok, QMessageBox::Ok,
                             QMessageBox::Warning);
        return;
    }
    for (std::size_t k = 0; k < pasted.sheet.segments.size(); ++k) {
        const vostrel::Segment& row = pasted.sheet.segments[k];
        Txt_Lvl[k]->setText(QString::fromStdString(row.levelText));
        for (const auto& [list, slot] : {std::pair{Cbo_Class[2 * k], row.firstClass},
                                         std::pair{Cbo_Class[2 * k + 1], row.secondClass}}) {
            // From nothing chosen, so that the list shows the full name even when
            // it already held this class under text being edited.
            list->clearChoice();
            list->setCurrentIndex(slot);
        }
    }
    onGoClicked();
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
        pairs_ = new PairsWindow(*this, classTable_);
        connect(pairs_, &PairsWindow::pairChosen, this, &Form1::usePair);
    }
    pairs_->present();
}

void Form1::usePair(int first, int second, int level) {
    const vostrel::PairPlace place = vostrel::placeOfPair(takeBuildSheet(), level);
    if (place.fit != vostrel::PairFit::Fits) {
        prompts_.showMessage(pairs_, QStringLiteral("Use Pair"),
                             PairsWindow::refusalText(place.fit), QMessageBox::Ok, QMessageBox::Ok,
                             QMessageBox::Information);
        return;
    }
    const auto k = static_cast<std::size_t>(place.segment - 1);
    Txt_Lvl[k]->setText(QString::number(place.levels));
    Cbo_Class[2 * k]->setCurrentIndex(first);
    Cbo_Class[2 * k + 1]->setCurrentIndex(second);
    onGoClicked();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Cmd_go && event->type() == QEvent::KeyPress) {
        // Enter presses the focused Go as Space does, without making Go the
        // default button that Enter in other controls would press.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            !key->isAutoRepeat()) {
            Cmd_go->click();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && watched != Cmd_go) {
        // Alt with a letter would type the letter, and a level box would then turn
        // to "0". Ctrl+Alt is left alone: it is AltGr on some keyboards.
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held = key->modifiers();
        if (held.testFlag(Qt::AltModifier) && !held.testFlag(Qt::ControlModifier) &&
            !key->text().isEmpty()) {
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (QKeySequence(key->keyCombination()) == Menu_Exit->shortcut()) {
            // Left unaccepted, the key goes on to the window's shortcut: Exit.
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
