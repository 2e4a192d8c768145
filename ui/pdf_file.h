#pragma once

#include <QString>
#include <memory>

class QIODevice;
class QPdfWriter;
struct PrintedDocument;

// A PDF writer onto `file` set up for `document`: its title and creator, the
// locale's paper and the printed margins.
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice& file, const PrintedDocument& document);

// Writes `document` as a PDF at `path`, replacing the file there only once the
// whole PDF is written; on failure nothing at `path` changes. Empty on success,
// else the reason.
QString writePdf(const QString& path, const PrintedDocument& document);
