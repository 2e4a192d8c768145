// Form1's class file: loading it at start, Open and Reload, the build carried over
// to a new file, and the notices of a changed file.

#include "form1.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QStringListModel>
#include <utility>

#include "build_keeper.h"
#include "build_sheet_widget.h"
#include "carry_over.h"
#include "class_checks.h"
#include "class_file_watch.h"
#include "classes_window.h"
#include "pairs_window.h"
#include "spoken_notice.h"
#include "user_prompts.h"

namespace {

const QString kNoClass = QStringLiteral("<None>");

}  // namespace

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
        prompts_.showMessage(this, caption(), lost.join(QLatin1Char('\n')), QMessageBox::Ok,
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
