#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

// What is to be printed: painted anew on each device the dialogs hand over.
struct PrintJob {
    QString title;  // the job's name in the printer queue
    QString creator;
    std::function<bool(QPagedPaintDevice&)> paint;
    QPageSize::PageSizeId paper = QPageSize::A4;  // without a printer of its own to ask
    QMarginsF margins;                            // in millimetres
    // An option the preview offers when `option` is set: toggling it sets the flag
    // and paints the pages again.
    QString optionText;
    bool* option = nullptr;
};

// The desktop's print and preview dialogs. They live in a module of their own,
// loaded on the first print, so that the program does not load Qt's print
// support at every start.
class PrintService {
public:
    virtual ~PrintService() = default;
    // Show the dialog, then print what the user chose; an error's text, or empty.
    virtual QString print(QWidget* parent, const PrintJob& job) = 0;
    virtual QString preview(QWidget* parent, const PrintJob& job) = 0;

protected:
    PrintService() = default;
    PrintService(const PrintService&) = default;
    PrintService& operator=(const PrintService&) = default;
};

// The module's one entry point, looked up by this name.
extern "C" PrintService* vostrelPrintService();

struct PrintedDocument;

// A job that paints `document()`, asked anew for each painting, on the paper of
// the locale and with the margins of every printed page.
PrintJob printJob(std::function<PrintedDocument()> document);

// Opens the print dialog or the preview for `job`; what went wrong, or empty.
QString printDocument(QWidget* parent, const PrintJob& job, bool preview);

// The service, its module loaded on the first call; nullptr with `error` saying
// why when the module cannot be loaded.
PrintService* loadPrintService(QString& error);
