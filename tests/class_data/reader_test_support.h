#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

#include "class_file_reader.h"

namespace vostrel::testing {

// One class record of 27 fields: the first seven as given, then the twenty
// feature fields, of which only levels 1 and 20 hold text.
inline std::string recordLine(std::string_view firstSeven, std::string_view level1 = "",
                              std::string_view level20 = "") {
    return std::string(firstSeven) + "," + std::string(level1) + std::string(19, ',') +
           std::string(level20);
}

// `count` records named Class1, Class2, ..., one per line.
inline std::string manyRecords(int count) {
    std::string data;
    for (int i = 1; i <= count; ++i) {
        data += recordLine("Class" + std::to_string(i) + ",8,2,0.75,TRUE,FALSE,FALSE") + "\n";
    }
    return data;
}

// Names each data-driven case after its row.
struct RowName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

inline std::optional<Refusal> readText(const std::string& data, ClassTable& table) {
    std::istringstream in(data);
    return readClassData(in, "test.csv", table);
}

}  // namespace vostrel::testing
