#include "sheet_document.h"

#include "build_refusal.h"
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

// The classes of the first row, fit for a file name: "Warden - Mystic".
QString pairName(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table) {
    const vostrel::Segment& first = sheet.segments.front();
    const auto nameOf = [&table](std::int16_t slot) {
        return QString::fromStdString(table.recordAt(slot).name);
    };
    QString name = nameOf(first.firstClass);
    if (first.secondClass != first.firstClass) {
        name += QStringLiteral(" - ") + nameOf(first.secondClass);
    }
    return safeFileName(name);
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
        return {std::nullopt,
                QString::fromStdString(vostrel::emptyBuildText(vostrel::EmptyBuildUse::NoRows))};
    }
    PrintedDocument document;
    document.title = pairName(sheet, table) + QStringLiteral(" build sheet");
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
        // A level's lines stay together on one page: one text, broken into lines.
        for (const vostrel::LevelExplanation& level : shown->explanations) {
            document.linesAfter.push_back({});
            document.linesAfter.push_back({QString::fromStdString(level.row).replace(
                QLatin1Char('\n'), QChar::LineSeparator)});
        }
    }
    return {std::move(document), {}};
}

QString sheetFileName(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table) {
    return pairName(sheet, table) + QStringLiteral(".pdf");
}
