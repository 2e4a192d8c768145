#include "printed_document.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <numeric>

#include "table_model.h"
#include "version.h"

namespace {

constexpr double kBodyPoints = 9;
constexpr double kTablePoints = 8;

using Layouts = std::vector<std::unique_ptr<QTextLayout>>;

QFont printFont(double points, bool bold) {
    QFont font = QGuiApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    // Latin text needs no shaping; without it no ligature turns "fi" into one
    // glyph, which a reader's search for "file" would miss.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Lays `text` out in lines of `width`, breaking inside a word only where the word
// alone is wider: nothing is cut. Returns its height.
double wrap(QTextLayout& layout, double width, Qt::Alignment alignment) {
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition({0, height});
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// Narrow columns keep their natural width; the wide ones share what is left
// equally, wrapping their texts.
QList<double> fitColumns(const QList<double>& natural, double room) {
    QList<double> widths = natural;
    std::vector<qsizetype> order(static_cast<std::size_t>(natural.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&natural](qsizetype a, qsizetype b) { return natural[a] < natural[b]; });
    double left = room;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double share = left / static_cast<double>(order.size() - i);
        widths[order[i]] = std::min(natural[order[i]], share);
        left -= widths[order[i]];
    }
    return widths;
}

// Every piece of a document laid out for one device, and where each falls.
struct Typeset {
    QFont body = printFont(kBodyPoints, false);
    QFont heading = printFont(kBodyPoints + 3, true);
    QFont cell = printFont(kTablePoints, false);
    QFont headerCell = printFont(kTablePoints, true);
    double padding = 0;  // around a cell's text
    double footer = 0;   // the room the page number takes
    Layouts texts;       // lines, then linesAfter
    Layouts header;
    std::vector<Layouts> rows;
    PrintedLayout layout;

    Typeset(const PrintedDocument& document, QPagedPaintDevice& device);
    double row(Layouts& cells, const QStringList& values, const QFont& font,
               const PrintedTable& table, QPaintDevice& device) const;
};

double Typeset::row(Layouts& cells, const QStringList& values, const QFont& font,
                    const PrintedTable& table, QPaintDevice& device) const {
    double height = 0;
    for (qsizetype column = 0; column < layout.columnWidths.size(); ++column) {
        auto& text =
            cells.emplace_back(std::make_unique<QTextLayout>(values.value(column), font, &device));
        height = std::max(height, wrap(*text, layout.columnWidths[column] - 2 * padding,
                                       table.alignments.value(column, Qt::AlignLeft)));
    }
    return height + padding;
}

Typeset::Typeset(const PrintedDocument& document, QPagedPaintDevice& device) {
    const double width = device.width();
    const QFontMetricsF bodyMetrics(body, &device);
    padding = bodyMetrics.averageCharWidth() * 0.6;
    footer = bodyMetrics.lineSpacing() * 2;
    const double pageHeight = device.height() - footer;

    const PrintedTable& table = document.table;
    const QFontMetricsF cellMetrics(cell, &device);
    const QFontMetricsF headerMetrics(headerCell, &device);
    QList<double> natural;
    for (qsizetype column = 0; column < table.header.size(); ++column) {
        double wanted = headerMetrics.horizontalAdvance(table.header[column]);
        for (const QStringList& cells : table.rows) {
            wanted = std::max(wanted, cellMetrics.horizontalAdvance(cells.value(column)));
        }
        // With room for a last glyph that reaches past its advance, as an italic
        // or a bold "f" does, which would otherwise wrap on its own.
        natural.append(wanted + 3 * padding);
    }
    layout.columnWidths = fitColumns(natural, width);

    layout.pages.emplace_back();
    double y = 0;
    // A piece that does not fit below the others starts a new page.
    const auto fits = [&](double height) { return y == 0 || y + height <= pageHeight; };
    const auto place = [&](PrintedPiece::Kind kind, int index, double height, double offset = 0) {
        if (!fits(height)) {
            layout.pages.emplace_back();
            y = 0;
        }
        layout.pages.back().push_back({kind, index, y, height, offset});
        y += height;
    };
    const auto placeLines = [&](const std::vector<PrintedLine>& lines) {
        for (const PrintedLine& line : lines) {
            auto& text = texts.emplace_back(
                std::make_unique<QTextLayout>(line.text, line.heading ? heading : body, &device));
            const auto index = static_cast<int>(texts.size() - 1);
            const double height = wrap(*text, width, Qt::AlignLeft);
            if (height <= pageHeight) {
                place(PrintedPiece::Line, index, height);
                continue;
            }
            // Taller than a page: in parts, each as many lines as the page takes.
            double start = 0;
            double end = 0;
            for (int at = 0; at < text->lineCount(); ++at) {
                const double bottom = text->lineAt(at).y() + text->lineAt(at).height();
                if (end > start && y + bottom - start > pageHeight) {
                    place(PrintedPiece::Line, index, end - start, start);
                    start = end;
                }
                end = bottom;
            }
            place(PrintedPiece::Line, index, end - start, start);
        }
    };
    placeLines(document.lines);
    if (!table.header.isEmpty()) {
        const double headerHeight = row(header, table.header, headerCell, table, device);
        for (std::size_t index = 0; index < table.rows.size(); ++index) {
            const double height = row(rows.emplace_back(), table.rows[index], cell, table, device);
            // The header heads every page the table is on, never alone at a foot.
            if (index == 0 || !fits(height)) {
                if (!fits(headerHeight + height)) {
                    layout.pages.emplace_back();
                    y = 0;
                }
                place(PrintedPiece::Header, 0, headerHeight);
            }
            place(PrintedPiece::Row, static_cast<int>(index), height);
        }
    }
    placeLines(document.linesAfter);
}

}  // namespace

PrintedTable printedTable(const TableModel& model) {
    PrintedTable table;
    for (int column = 0; column < model.columnCount(); ++column) {
        table.header.append(model.headerData(column, Qt::Horizontal).toString());
        table.alignments.append(
            Qt::Alignment(model.data(model.index(0, column), Qt::TextAlignmentRole).toInt()));
    }
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList& cells = table.rows.emplace_back();
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.append(model.data(model.index(row, column), Qt::DisplayRole).toString());
        }
    }
    return table;
}

QString printedCreator() {
    return QStringLiteral("Vostrel Progression Calculator %1.%2.%3")
        .arg(vostrel::kVersionMajor)
        .arg(vostrel::kVersionMinor)
        .arg(vostrel::kVersionRevision);
}

QString safeFileName(QString name) {
    // Characters that some file systems refuse, and control characters.
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(unsafe, QStringLiteral("_"));
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) {
        name.prepend(QStringLiteral("Build"));
    }
    return name;
}

QPageSize::PageSizeId paperForLocale() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                      : QPageSize::A4;
}

QMarginsF printedMargins() {
    return {15, 15, 15, 15};
}

PrintedLayout layOut(const PrintedDocument& document, QPagedPaintDevice& device) {
    return Typeset(document, device).layout;
}

bool paintDocument(const PrintedDocument& document, QPagedPaintDevice& device) {
    Typeset typeset(document, device);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QPen text(Qt::black);
    const QPen rule(QColor(160, 160, 160), 0);
    painter.setPen(text);
    const PrintedLayout& layout = typeset.layout;
    const auto pageCount = static_cast<qsizetype>(layout.pages.size());
    const double tableWidth =
        std::accumulate(layout.columnWidths.cbegin(), layout.columnWidths.cend(), 0.0);
    const auto drawCells = [&](const Layouts& cells, double top, double height) {
        double x = 0;
        for (qsizetype column = 0; column < layout.columnWidths.size(); ++column) {
            cells[static_cast<std::size_t>(column)]->draw(
                &painter, {x + typeset.padding, top + typeset.padding / 2});
            x += layout.columnWidths[column];
        }
        painter.setPen(rule);
        painter.drawLine(QPointF(0, top + height), QPointF(tableWidth, top + height));
        painter.setPen(text);
    };
    for (qsizetype page = 0; page < pageCount; ++page) {
        if (page > 0) {
            device.newPage();
        }
        for (const PrintedPiece& piece : layout.pages[static_cast<std::size_t>(page)]) {
            const auto index = static_cast<std::size_t>(piece.index);
            switch (piece.kind) {
                case PrintedPiece::Line: {
                    const QTextLayout& lines = *typeset.texts[index];
                    for (int at = 0; at < lines.lineCount(); ++at) {
                        const double lineTop = lines.lineAt(at).y();
                        if (lineTop >= piece.offset - 0.5 &&
                            lineTop < piece.offset + piece.height - 0.5) {
                            lines.lineAt(at).draw(&painter, {0, piece.top - piece.offset});
                        }
                    }
                    break;
                }
                case PrintedPiece::Header:
                    drawCells(typeset.header, piece.top, piece.height);
                    break;
                case PrintedPiece::Row:
                    drawCells(typeset.rows[index], piece.top, piece.height);
                    break;
            }
        }
        painter.setFont(typeset.body);
        painter.drawText(
            QRectF(0, device.height() - typeset.footer, device.width(), typeset.footer),
            Qt::AlignHCenter | Qt::AlignBottom,
            QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount));
    }
    return painter.end();
}
