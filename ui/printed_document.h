#pragma once

#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class TableModel;

// A line of text on paper, wrapped at the page's width; an empty one is a gap.
struct PrintedLine {
    QString text;
    bool heading = false;  // set in bold
};

// A table on paper: its header line and its rows, each cell the text shown.
struct PrintedTable {
    QStringList header;
    QList<Qt::Alignment> alignments;  // by column
    std::vector<QStringList> rows;
};

// What goes on paper, top to bottom: lines of text, a table, lines after it.
struct PrintedDocument {
    QString title;  // the document's name for the printer queue and the PDF
    std::vector<PrintedLine> lines;
    PrintedTable table;
    std::vector<PrintedLine> linesAfter;
};

// `model`'s rows in the order the table shows them, with every column.
PrintedTable printedTable(const TableModel& model);

// Where each piece of a document falls: pages of pieces, each piece a line of
// text (lines, then linesAfter, numbered on) or a table row, or the table's
// header, repeated on every page the table runs over. Breaks fall only between
// pieces, and a line of text taller than a page between its wrapped lines.
struct PrintedPiece {
    enum Kind { Line, Header, Row } kind = Line;
    int index = 0;  // the line or row
    double top = 0;
    double height = 0;
    double offset = 0;  // of a line of text broken over pages, where this part starts
};

struct PrintedLayout {
    std::vector<std::vector<PrintedPiece>> pages;
    QList<double> columnWidths;
};

// The program's name and version, as a document's creator.
QString printedCreator();

// `name` as a file name on any file system: characters some refuse become "_".
QString safeFileName(QString name);

// Paper from the locale's measurement system: Letter in the United States' units,
// A4 elsewhere.
QPageSize::PageSizeId paperForLocale();
// The margins every page gets, in millimetres.
QMarginsF printedMargins();

// Lays `document` out on the pages of `device`, whose page layout is set.
PrintedLayout layOut(const PrintedDocument& document, QPagedPaintDevice& device);

// Paints `document` on `device`, one page after another, with "Page 1 of 2" at
// the foot of each; black on white whatever the desktop's colours. False when the
// device would not take a painter.
bool paintDocument(const PrintedDocument& document, QPagedPaintDevice& device);
