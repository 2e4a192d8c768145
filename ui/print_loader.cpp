#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include "print_service.h"
#include "printed_document.h"

// Beside the program in its build folder; installed, in its own folder under the
// library folder (VOSTREL_PRINT_MODULE_DIR, relative to the installation prefix).
PrintService* loadPrintService(QString& error) {
    static PrintService* service = nullptr;
    if (service != nullptr) {
        return service;
    }
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("vostrel-print");
    QStringList tried;
    for (const QString& folder :
         {programFolder.path(), programFolder.filePath(QStringLiteral("../") +
                                                       QStringLiteral(VOSTREL_PRINT_MODULE_DIR))}) {
        QLibrary module(QDir(folder).filePath(name));
        using Entry = PrintService* (*)();
        if (const auto entry = reinterpret_cast<Entry>(module.resolve("vostrelPrintService"))) {
            service = entry();
            return service;
        }
        tried.append(module.errorString());
    }
    error = tried.join(QLatin1Char('\n'));
    return nullptr;
}

PrintJob printJob(std::function<PrintedDocument()> document) {
    PrintJob job;
    // The print dialog proposes the title as the name of a file to print to.
    job.title = safeFileName(document().title);
    job.paint = [document = std::move(document)](QPagedPaintDevice& device) {
        return paintDocument(document(), device);
    };
    job.creator = printedCreator();
    job.paper = paperForLocale();
    job.margins = printedMargins();
    return job;
}

QString printDocument(QWidget* parent, const PrintJob& job, bool preview) {
    QString error;
    PrintService* service = loadPrintService(error);
    if (service == nullptr) {
        return QStringLiteral("Printing is not available here:\n") + error;
    }
    return preview ? service->preview(parent, job) : service->print(parent, job);
}
