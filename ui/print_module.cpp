// The print dialogs, built as a module that the program loads on first use.
#include <QCheckBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>

#include "print_service.h"

namespace {

// On the desktop's default printer with its paper; without one, on the paper the
// job asks for.
void setUp(QPrinter& printer, const PrintJob& job) {
    printer.setDocName(job.title);
    printer.setCreator(job.creator);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer.setPageSize(QPageSize(job.paper));
    }
    printer.setPageMargins(job.margins, QPageLayout::Millimeter);
}

QString outcome(const QPrinter& printer, bool painted) {
    if (!painted || printer.printerState() == QPrinter::Error) {
        return QStringLiteral("The printer did not take the pages.");
    }
    return {};
}

class DialogPrintService final : public PrintService {
public:
    QString print(QWidget* parent, const PrintJob& job) override {
        QPrinter printer(QPrinter::HighResolution);
        setUp(printer, job);
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("printDialog"));
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        return outcome(printer, job.paint(printer));
    }

    QString preview(QWidget* parent, const PrintJob& job) override {
        QPrinter printer(QPrinter::HighResolution);
        setUp(printer, job);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("printPreview"));
        bool painted = true;
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                         [&job, &painted](QPrinter* device) { painted = job.paint(*device); });
        if (job.option != nullptr) {
            auto* option = new QCheckBox(job.optionText, &dialog);
            option->setObjectName(QStringLiteral("printOption"));
            option->setChecked(*job.option);
            auto* pages = dialog.findChild<QPrintPreviewWidget*>();
            QObject::connect(option, &QCheckBox::toggled, &dialog, [&job, pages](bool on) {
                *job.option = on;
                pages->updatePreview();
            });
            if (auto* tools = dialog.findChild<QToolBar*>()) {
                tools->addSeparator();
                tools->addWidget(option);
            }
        }
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        return outcome(printer, painted);
    }
};

}  // namespace

extern "C" Q_DECL_EXPORT PrintService* vostrelPrintService() {
    static DialogPrintService service;
    return &service;
}
