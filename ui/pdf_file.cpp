#include "pdf_file.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

#include "printed_document.h"

std::unique_ptr<QPdfWriter> pdfWriter(QIODevice& file, const PrintedDocument& document) {
    auto writer = std::make_unique<QPdfWriter>(&file);
    writer->setTitle(document.title);
    writer->setCreator(printedCreator());
    writer->setPageSize(QPageSize(paperForLocale()));
    writer->setPageMargins(printedMargins(), QPageLayout::Millimeter);
    return writer;
}

QString writePdf(const QString& path, const PrintedDocument& document) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (!paintDocument(document, *pdfWriter(file, document))) {
        file.cancelWriting();
        return QStringLiteral("the pages could not be drawn");
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}
