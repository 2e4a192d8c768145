#pragma once

#include <QString>
#include <optional>

#include "class_table.h"
#include "printed_document.h"
#include "progression.h"

// The build sheet on paper: the program and the class file, the build's rows as
// Copy Build writes them, the report as Go writes it, the table level by level,
// and with `explained` the words of each level after it.
struct SheetDocument {
    std::optional<PrintedDocument> document;
    QString refusal;  // what stands in the way when there is no document
};
SheetDocument sheetDocument(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table,
                            const QString& classFileName, bool explained);

// A file name for the sheet, from the classes of its first row: "Warden - Mystic.pdf".
QString sheetFileName(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table);
