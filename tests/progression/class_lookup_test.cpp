#include "class_lookup.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "../cased_names.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

class ClassLookup : public ::testing::TestWithParam<CasedName> {};

TEST_P(ClassLookup, IgnoresCaseByUnicodeSimpleFolding) {
    const std::vector<std::string> names(std::begin(kCasedClasses), std::end(kCasedClasses));
    const SoughtName sought{GetParam().typed};
    const auto found = findEntry(names, {&sought, 1});
    EXPECT_EQ(found ? static_cast<int>(*found) + 1 : 0, GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Names, ClassLookup, ::testing::ValuesIn(kCasedNames), CaseName{});

}  // namespace
}  // namespace vostrel::testing
