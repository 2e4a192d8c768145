#include "sample_classes.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace vostrel::testing {

ClassRecord makeClass(const ClassOutline& outline) {
    const std::string_view saves = outline.saves;
    auto saveText = [&](char save) {
        return saves.find(save) != std::string_view::npos ? "TRUE" : "FALSE";
    };
    ClassRecord record;
    record.name = outline.name;
    record.hitDie = static_cast<std::int16_t>(outline.hitDie);
    record.skillPoints = static_cast<std::int16_t>(outline.skillPoints);
    record.babRate = outline.babRate;
    record.fortText = saveText('F');
    record.refText = saveText('R');
    record.willText = saveText('W');
    for (std::size_t level = 1; level <= kMaxLevel; ++level) {
        record.features[level] = record.name + " " + std::to_string(level);
    }
    return record;
}

ClassTable makeTable(std::vector<ClassRecord> records) {
    ClassTable table;
    for (ClassRecord& record : records) {
        table.appendRecord(std::move(record));
    }
    table.deriveGoodSaves();
    return table;
}

namespace {

ClassTable buildSampleTable() {
    std::vector<ClassRecord> records;
    for (const ClassOutline& outline : std::vector<ClassOutline>{{"Warden", 10, 2, 1.0, "F"},
                                                                 {"Mystic", 6, 2, 0.5, "W"},
                                                                 {"Scout", 8, 6, 0.75, "R"},
                                                                 {"A", 10, 4, 1.0, "F"},
                                                                 {"B", 6, 2, 0.5, "W"},
                                                                 {"C", 8, 6, 0.75, "R"},
                                                                 {"D", 8, 4, 0.75, ""},
                                                                 {"Adept", 4, 2, 0.5, ""},
                                                                 {"Brute", 12, 2, 1.0, "F"},
                                                                 {"Giant", 20, 2, 1.0, "F"},
                                                                 {"Odd", 3, 2, 0.5, ""},
                                                                 {"Blank", 8, 4, 0.75, ""},
                                                                 {"Bard", 6, 6, 0.75, "RW"},
                                                                 {"Monster", 21, 2, 1.0, "F"},
                                                                 {"Negative", -2, 2, 0.5, ""},
                                                                 {"Dunce", 4, -1, 0.5, ""},
                                                                 {"Cursed", 6, 2, -0.5, ""},
                                                                 {"Hermit", 6, 2, 0.5, ""},
                                                                 {"Sage", 6, 2, 1.0 / 3, ""}}) {
        records.push_back(makeClass(outline));
    }
    records.push_back(makeClass({"Tithe", 6, 2, 0.1, ""}));
    auto& warden = records[Warden - 1];
    auto& mystic = records[Mystic - 1];
    auto& scout = records[Scout - 1];
    warden.features[4] = "Shield wall";
    mystic.features[8] = "Rite of dusk";
    scout.features[4] = "Trailcraft";
    records[Blank - 1].features = {};
    for (auto& cell : records[Bard - 1].features) {
        cell = "Song, verse, chorus";
    }
    return makeTable(std::move(records));
}

}  // namespace

const ClassTable& sampleTable() {
    static const ClassTable table = buildSampleTable();
    return table;
}

BuildSheet makeSheet(std::initializer_list<Segment> segments) {
    BuildSheet sheet;
    std::size_t index = 0;
    for (const Segment& segment : segments) {
        sheet.segments[index++] = segment;
    }
    return sheet;
}

std::vector<std::string> reportLines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = report.find("\r\n", start);
        lines.push_back(report.substr(start, end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 2;
    }
}

}  // namespace vostrel::testing
