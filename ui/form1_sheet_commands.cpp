// Form1's commands on whole builds: keeping the build a command replaces, the kept
// builds and their comparison, and the build sheet on paper or as a PDF.

#include "form1.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

#include "build_keeper.h"
#include "build_sheet_widget.h"
#include "compare_window.h"
#include "pdf_file.h"
#include "print_service.h"
#include "sheet_document.h"
#include "user_prompts.h"

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
