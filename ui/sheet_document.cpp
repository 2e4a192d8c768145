#include "sheet_document.h"

#include <QRegularExpression>

#include "build_text.h"
#include "level_by_level.h"
#include "level_table.h"

namespace {

std::vector<PrintedLine> linesOf(const QString& text) {
    std::vector<PrintedLine> lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        lines.push_back({line});
    }
    return lines;
}

}  // namespace

SheetDocument sheetDocument(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table,
                            const QString& classFileName, bool explained) {
    vostrel::LevelByLevelResult levels = vostrel::levelByLevel(sheet, table);
    if (levels.outcome == vostrel::ProgressionOutcome::TooManyLevels) {
        return {std::nullopt, QString::fromUtf8(vostrel::kTooManyLevelsText)};
    }
    const std::string rows = vostrel::buildText(sheet, table);
    if (levels.outcome != vostrel::ProgressionOutcome::Finished || rows.empty()) {
        return {std::nullopt, QString::fromUtf8(vostrel::kNothingToCopyText)};
    }
    PrintedDocument document;
    const QString firstRow = QString::fromStdString(rows.substr(0, rows.find('\n')));
    document.title = QStringLiteral("Build sheet: ") + firstRow;
    document.lines = {
        {printedCreator(), true}, {QStringLiteral("Class file: ") + classFileName}, {}};
    for (PrintedLine& line : linesOf(QString::fromStdString(rows))) {
        document.lines.push_back(std::move(line));
    }
    document.lines.push_back({});

    const std::shared_ptr<const ShownLevels> shown = shownLevels(std::move(levels), table);
    TableModel model(levelColumns(shown));
    model.setRows(levelColumns(shown), static_cast<int>(shown->rows.size()));
    document.table = printedTable(model);
    if (explained) {
        document.linesAfter = {{}, {QStringLiteral("How each level came about"), true}};
        for (const vostrel::LevelExplanation& level : shown->explanations) {
            document.linesAfter.push_back({});
            for (PrintedLine& line : linesOf(QString::fromStdString(level.row))) {
                document.linesAfter.push_back(std::move(line));
            }
        }
    }
    return {std::move(document), {}};
}

QString sheetFileName(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table) {
    const vostrel::Segment& first = sheet.segments.front();
    const auto nameOf = [&table](std::int16_t slot) {
        return QString::fromStdString(table.recordAt(slot).name);
    };
    QString name = nameOf(first.firstClass);
    if (first.secondClass != first.firstClass) {
        name += QStringLiteral(" - ") + nameOf(first.secondClass);
    }
    // Characters that some file systems refuse, and control characters.
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(unsafe, QStringLiteral("_"));
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) {
        name.prepend(QStringLiteral("Build"));
    }
    return name + QStringLiteral(".pdf");
}
