#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <streambuf>

#include "class_file_reader.h"
#include "reader_test_support.h"

namespace vostrel {
namespace {

using testing::manyRecords;
using testing::readText;
using testing::recordLine;

const std::string kExample =
    "Ironclad,10,2,1,TRUE,FALSE,FALSE,Shield Bash,,Iron Skin,,,,,,,Bonus Feat,,,,,,,,,,"
    "Unbreakable\n"
    "Seer,6,4,0.5,FALSE,FALSE,TRUE,\"Second Sight, Omens\",,,,Farsight,,,,,,,,,,,,,,,\n";

// A folder of its own for the files a test writes, removed afterwards.
class ClassFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("vostrel-reader-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path write(const std::string& name, const std::string& data) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << data;
        return path;
    }

    std::filesystem::path folder_;
};

TEST_F(ClassFileTest, TheTwoClassExampleLoadsSlotBySlot) {
    ClassTable table;
    ASSERT_FALSE(loadClassData(write("example.csv", kExample), table));
    ASSERT_EQ(table.classCount(), 2);
    EXPECT_EQ(table.classNames(), (std::vector<std::string>{"Ironclad", "Seer"}));

    ClassRecord ironclad{.name = "Ironclad",
                         .hitDie = 10,
                         .skillPoints = 2,
                         .babRate = 1.0,
                         .fortGood = true,
                         .fortText = "TRUE",
                         .refText = "FALSE",
                         .willText = "FALSE"};
    ironclad.features[1] = "Shield Bash";
    ironclad.features[3] = "Iron Skin";
    ironclad.features[10] = "Bonus Feat";
    ironclad.features[20] = "Unbreakable";
    ClassRecord seer{.name = "Seer",
                     .hitDie = 6,
                     .skillPoints = 4,
                     .babRate = 0.5,
                     .fortText = "FALSE",
                     .refText = "FALSE",
                     .willGood = true,
                     .willText = "TRUE"};
    seer.features[1] = "Second Sight, Omens";
    seer.features[5] = "Farsight";
    for (const auto& [slot, expected] : {std::pair{1, &ironclad}, std::pair{2, &seer}}) {
        const ClassRecord& loaded = table.recordAt(slot);
        EXPECT_EQ(loaded.name, expected->name);
        EXPECT_EQ(loaded.hitDie, expected->hitDie);
        EXPECT_EQ(loaded.skillPoints, expected->skillPoints);
        EXPECT_EQ(loaded.babRate, expected->babRate);
        EXPECT_EQ(loaded.fortGood, expected->fortGood);
        EXPECT_EQ(loaded.refGood, expected->refGood);
        EXPECT_EQ(loaded.willGood, expected->willGood);
        EXPECT_EQ(loaded.fortText, expected->fortText);
        EXPECT_EQ(loaded.refText, expected->refText);
        EXPECT_EQ(loaded.willText, expected->willText);
        EXPECT_EQ(loaded.features, expected->features);
    }
    for (int slot = 3; slot <= kMaxClasses; ++slot) {
        EXPECT_TRUE(table.recordAt(slot).name.empty());
        EXPECT_EQ(table.recordAt(slot).hitDie, 0);
    }
    EXPECT_TRUE(table.recordAt(0).name.empty());
}

TEST_F(ClassFileTest, FortyClassesLoadAll) {
    ClassTable table;
    ASSERT_FALSE(readClassFile(write("forty.csv", manyRecords(kMaxClasses)), table));
    EXPECT_EQ(table.classCount(), kMaxClasses);
    EXPECT_EQ(table.recordAt(kMaxClasses).name, "Class40");
}

struct Unopenable {
    const char* name;
    std::function<std::filesystem::path(const std::filesystem::path&)> make;
    const char* reason;
};

class UnopenableFile : public ClassFileTest, public ::testing::WithParamInterface<Unopenable> {};

TEST_P(UnopenableFile, IsRefusedWithTheSystemsReason) {
    const auto path = GetParam().make(folder_);
    ClassTable table;
    const auto error = readClassFile(path, table);
    ASSERT_TRUE(error);
    EXPECT_NE(describe(*error).find(path.filename().string()), std::string::npos)
        << describe(*error);
    EXPECT_NE(describe(*error).find(GetParam().reason), std::string::npos) << describe(*error);
    EXPECT_EQ(table.classCount(), 0);
}

// A file of NUL bytes that takes no disk space.
std::filesystem::path sparseFile(const std::filesystem::path& path, std::uintmax_t size) {
    std::ofstream(path, std::ios::binary).close();
    std::filesystem::resize_file(path, size);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    ClassFile, UnopenableFile,
    ::testing::Values(
        Unopenable{"Missing", [](const auto& folder) { return folder / "missing.csv"; },
                   "No such file or directory"},
        Unopenable{"Folder",
                   [](const auto& folder) {
                       std::filesystem::create_directory(folder / "a folder.csv");
                       return folder / "a folder.csv";
                   },
                   "Is a directory"},
        // Read in the ordinary way, a FIFO with no writer would wait for ever.
        Unopenable{"FifoWithoutWriter",
                   [](const auto& folder) {
                       const auto path = folder / "pipe.csv";
                       EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
                       return path;
                   },
                   "is a named pipe (FIFO), not a file of data"},
        Unopenable{"Socket",
                   [](const auto& folder) {
                       const auto path = folder / "socket.csv";
                       sockaddr_un address{};
                       address.sun_family = AF_UNIX;
                       path.string().copy(address.sun_path, sizeof address.sun_path - 1);
                       const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
                       EXPECT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address),
                                        sizeof address),
                                 0);
                       ::close(listener);
                       return path;
                   },
                   "is a socket, not a file of data"},
        Unopenable{"Device", [](const auto&) { return std::filesystem::path("/dev/zero"); },
                   "is a device, not a file of data"},
        Unopenable{"JustOver16MiB",
                   [](const auto& folder) {
                       return sparseFile(folder / "big.csv", kMaxClassFileBytes + 1);
                   },
                   "is 16.0 MiB (16,777,217 bytes); a class data file is far smaller"},
        Unopenable{"Gibibyte",
                   [](const auto& folder) {
                       return sparseFile(folder / "huge.csv", std::uintmax_t{3} << 29);
                   },
                   "is 1.5 GiB (1,610,612,736 bytes); a class"}),
    vostrel::testing::RowName{});

// The largest size read is read, from a file or a stream; a stream one byte
// longer is refused once it passes that size.
TEST_F(ClassFileTest, DataOfTheLargestSizeIsReadAndNoMore) {
    const std::string lineEnds(kMaxClassFileBytes, '\n');
    ClassTable table;
    const auto fileError = readClassFile(write("blank.csv", lineEnds), table);
    EXPECT_FALSE(fileError) << describe(*fileError);
    const auto streamError = readText(lineEnds, table);
    EXPECT_FALSE(streamError) << describe(*streamError);

    const auto error = readText(manyRecords(1) + lineEnds, table);
    ASSERT_TRUE(error);
    EXPECT_EQ(
        describe(*error).rfind("\"test.csv\" holds more than 16 MiB; a class data file is far "
                               "smaller",
                               0),
        0)
        << describe(*error);
    EXPECT_EQ(table.classCount(), 0);
}

TEST_F(ClassFileTest, UnreadableFileIsRefusedWithTheSystemsReason) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root from reading";
    }
    const auto path = write("locked.csv", kExample);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    ClassTable table;
    const auto error = readClassFile(path, table);
    ASSERT_TRUE(error);
    EXPECT_NE(describe(*error).find("Permission denied"), std::string::npos) << describe(*error);
}

// Accepted files: each row reads one value back from the loaded table.
struct Accepted {
    const char* name;
    std::string data;
    int classCount;
    int slot;
    std::function<std::string(const ClassRecord&)> value;
    std::string expected;
};

std::string nameOf(const ClassRecord& record) {
    return record.name;
}
std::string hitDieOf(const ClassRecord& record) {
    return std::to_string(record.hitDie);
}
std::string skillPointsOf(const ClassRecord& record) {
    return std::to_string(record.skillPoints);
}
std::string rateOf(const ClassRecord& record) {
    return std::to_string(record.babRate);
}
std::string fortTextOf(const ClassRecord& record) {
    return record.fortText;
}
std::function<std::string(const ClassRecord&)> featureOf(int level) {
    return [level](const ClassRecord& record) {
        return record.features[static_cast<std::size_t>(level)];
    };
}

const std::string kPlain = "A,8,2,0.75,TRUE,FALSE,FALSE";
const std::string kEighteenCommas(18, ',');

class AcceptedFile : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedFile, Loads) {
    ClassTable table;
    const auto error = readText(GetParam().data, table);
    ASSERT_FALSE(error) << describe(*error);
    EXPECT_EQ(table.classCount(), GetParam().classCount);
    EXPECT_EQ(GetParam().value(table.recordAt(GetParam().slot)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ClassFile, AcceptedFile,
    ::testing::Values(
        Accepted{"ExampleWithoutFinalLineEnd", kExample.substr(0, kExample.size() - 1), 2, 2,
                 featureOf(5), "Farsight"},
        Accepted{"LastFieldWithoutLineEnd", recordLine(kPlain, "", "Capstone"), 1, 1, featureOf(20),
                 "Capstone"},
        Accepted{"EmptyLastFieldWithoutLineEnd", recordLine(kPlain, "First"), 1, 1, featureOf(1),
                 "First"},
        Accepted{"RecordOverTwoLines",
                 "A,8,2,0.75,TRUE,FALSE,FALSE\nOne" + std::string(19, ',') + "Twenty\n", 1, 1,
                 featureOf(20), "Twenty"},
        Accepted{"RecordsRunTogetherOnOneLine",
                 recordLine(kPlain) + "," + recordLine("B" + kPlain.substr(1)), 2, 2, nameOf, "B"},
        Accepted{"CrLfLineEnds", recordLine(kPlain) + "\r\n" + recordLine("B,6,4,0.5,,,") + "\r\n",
                 2, 2, hitDieOf, "6"},
        Accepted{"LoneCrLineEnds", recordLine(kPlain) + "\r" + recordLine("B,6,4,0.5,,,") + "\r", 2,
                 2, hitDieOf, "6"},
        Accepted{"ByteOrderMarkSkipped", "\xEF\xBB\xBF" + recordLine(kPlain), 1, 1, nameOf, "A"},
        Accepted{"QuotedCommas", recordLine(kPlain, "\"Second Sight, Omens\""), 1, 1, featureOf(1),
                 "Second Sight, Omens"},
        Accepted{"DoubledQuote", recordLine(kPlain, "\"The \"\"Old\"\" Ways\""), 1, 1, featureOf(1),
                 "The \"Old\" Ways"},
        Accepted{"LineEndInsideQuotes", recordLine(kPlain, "\"Two\r\nLines\""), 1, 1, featureOf(1),
                 "Two\r\nLines"},
        Accepted{"BlanksAfterClosingQuote", recordLine(kPlain, "\"Quoted\" \t"), 1, 1, featureOf(1),
                 "Quoted"},
        Accepted{"BlanksAroundUnquotedField", recordLine(" \tA b \t,8,2,0.75,,,"), 1, 1, nameOf,
                 "A b"},
        Accepted{"QuoteInsideUnquotedField", recordLine(kPlain, "6\" tall"), 1, 1, featureOf(1),
                 "6\" tall"},
        Accepted{"BlankLinesAroundRecords", "\n \t\r\n" + recordLine(kPlain) + "\n\n  \n", 1, 1,
                 nameOf, "A"},
        Accepted{"ExportWithEveryRowPadded",
                 recordLine(kPlain, "", "Last") + ",\r\n" + recordLine("B,6,4,0.5,,,", "", "End") +
                     " , ",
                 2, 2, featureOf(20), "End"},
        Accepted{"TrailingCommaAfterLastRecord", recordLine(kPlain, "", "Last") + ",\n", 1, 1,
                 featureOf(20), "Last"},
        Accepted{"EmptyName", recordLine(",8,2,0.75,,,"), 1, 1, nameOf, ""},
        Accepted{"DuplicateNames", recordLine(kPlain) + "\n" + recordLine(kPlain), 2, 2, nameOf,
                 "A"},
        Accepted{"QuotedNumbers", recordLine("A,\" 10 \",\"2\",\"0.75\",,,"), 1, 1, hitDieOf, "10"},
        Accepted{"WholeNumberWithZeroFraction", recordLine("A,10.00,2,1,,,"), 1, 1, hitDieOf, "10"},
        Accepted{"NegativeSkillPoints", recordLine("A,0,-2,1,,,"), 1, 1, skillPointsOf, "-2"},
        Accepted{"AttackRateWithExponent", recordLine("A,20,2,75e-2,,,"), 1, 1, rateOf, "0.750000"},
        Accepted{"SaveTextKeptAsWritten", recordLine("A,8,2,1,True,,"), 1, 1, fortTextOf, "True"},
        Accepted{"LongestField", recordLine(std::string(65536, 'n') + ",8,2,1,,,"), 1, 1,
                 [](const ClassRecord& r) { return std::to_string(r.name.size()); }, "65536"},
        Accepted{"Utf8Kept", recordLine("Caf\xC3\xA9,8,2,1,,,"), 1, 1, nameOf, "Caf\xC3\xA9"},
        Accepted{"Windows1252Converted", recordLine("Caf\xE9,8,2,1,,,", "\x93Sly\x94 \x80"), 1, 1,
                 featureOf(1), "\xE2\x80\x9CSly\xE2\x80\x9D \xE2\x82\xAC"},
        Accepted{"OverlongAloneIsWindows1252", recordLine("\xC0\xAF,8,2,1,,,"), 1, 1, nameOf,
                 "\xC3\x80\xC2\xAF"},
        Accepted{"SheetWithoutLevel20",
                 kPlain + ",One" + kEighteenCommas + "Nineteen\n" + "B" + kPlain.substr(1) +
                     ",One" + kEighteenCommas + "Last\n\n",
                 2, 2, featureOf(19), "Last"},
        Accepted{"TenLevelSheetWithEmptyRows",
                 kPlain + ",One" + std::string(9, ',') + "\r\n,,,,\r\n\" \",\r\n" + "B" +
                     kPlain.substr(1) + ",One,,,,,,,,,Ten\r\n \t, ,\r\n",
                 2, 2, featureOf(10), "Ten"},
        // Counted, the rows make ten classes without a fault, most begun mid-line.
        Accepted{"SheetOfTenColumnsReadARowToAClass",
                 [] {
                     std::string rows;
                     for (int row = 1; row <= 27; ++row) {
                         rows += std::to_string(row) + ",8,8,8,8,8,8,8,8,8\n";
                     }
                     return rows;
                 }(),
                 27, 27, nameOf, "27"},
        Accepted{"SheetOfTheSevenBasicColumns", kPlain + "\n" + "B" + kPlain.substr(1) + "\n", 2, 2,
                 nameOf, "B"},
        Accepted{"RowOfSpaceCellsSkipped",
                 recordLine(kPlain) + "\n\" \",,\"  \",\"\",\n" + recordLine("B,6,4,0.5,,,"), 2, 2,
                 nameOf, "B"},
        Accepted{"FortyClassesAroundARowOfCommas", manyRecords(20) + ",,,,\n" + manyRecords(20), 40,
                 40, nameOf, "Class20"},
        Accepted{"ClassOverThreeLinesOfNineFields",
                 kPlain + ",F1,F2\nF3,F4,F5,F6,F7,F8,F9,F10,F11\n,,,,,,,,F20\n", 1, 1,
                 featureOf(20), "F20"},
        Accepted{"EmptyRowsAfterFortyClasses", manyRecords(40) + ",,,,\n,\n", 40, 40, nameOf,
                 "Class40"},
        Accepted{"ByteOrderMarkOnALaterLine",
                 recordLine(kPlain) + "\n\xEF\xBB\xBF" + recordLine("B,6,4,0.5,,,"), 2, 2, nameOf,
                 "B"},
        Accepted{"DosEndOfFileLast", recordLine(kPlain, "", "Capstone") + "\x1A", 1, 1,
                 featureOf(20), "Capstone"},
        Accepted{"EmptyFile", "", 0, 1, nameOf, ""},
        Accepted{"BlankLinesOnly", " \r\n\t\n", 0, 1, nameOf, ""},
        Accepted{"ByteOrderMarkOnly", "\xEF\xBB\xBF", 0, 1, nameOf, ""}),
    vostrel::testing::RowName{});

// The reader takes its data in chunks of 64 KiB. Each row cuts a separator in
// two at a chunk's end (a long name shifts it there); it must read as if whole.
struct CutSeparator {
    const char* name;
    std::string afterName;  // the rest of the record after its name
    std::size_t cutBefore;  // the byte of afterName that begins the second chunk
    std::string level1;
    int nextLine;  // the line on which the next record begins
};

class ChunkBoundary : public ::testing::TestWithParam<CutSeparator> {};

TEST_P(ChunkBoundary, ASeparatorCutInTwoReadsWhole) {
    constexpr std::size_t kChunk = 64 * 1024;
    const CutSeparator& cut = GetParam();
    const std::string data = std::string(kChunk - cut.cutBefore, 'n') + cut.afterName;
    ClassTable table;
    const auto error = readText(data, table);
    ASSERT_FALSE(error) << describe(*error);
    ASSERT_EQ(table.classCount(), 1);
    EXPECT_EQ(table.recordAt(1).features[1], cut.level1);

    const auto refused = readText(data + "\n" + recordLine("B,x,2,1,,,"), table);
    ASSERT_TRUE(refused);
    EXPECT_NE(describe(*refused).find("line " + std::to_string(cut.nextLine) + ", class 2"),
              std::string::npos)
        << describe(*refused);
}

const std::string kAfterName = ",8,2,0.75,,,";
const std::string kNineteenCommas(19, ',');

INSTANTIATE_TEST_SUITE_P(
    ClassFile, ChunkBoundary,
    ::testing::Values(CutSeparator{"CrLfBetweenFields", kAfterName + "\r\nOne" + kNineteenCommas,
                                   kAfterName.size() + 1, "One", 3},
                      CutSeparator{"CrLfBeforeIt", kAfterName + "\r\nOne" + kNineteenCommas,
                                   kAfterName.size() + 2, "One", 3},
                      CutSeparator{"CrLfAfterIt", kAfterName + "\r\nOne" + kNineteenCommas,
                                   kAfterName.size(), "One", 3},
                      CutSeparator{"DoubledQuote", kAfterName + ",\"x\"\"y\"" + kNineteenCommas,
                                   kAfterName.size() + 4, "x\"y", 2},
                      CutSeparator{"CrLfInsideQuotes", kAfterName + ",\"x\r\ny\"" + kNineteenCommas,
                                   kAfterName.size() + 4, "x\r\ny", 3},
                      CutSeparator{"ClosingQuote", kAfterName + ",\"xy\"" + kNineteenCommas,
                                   kAfterName.size() + 5, "xy", 2},
                      CutSeparator{"CrLfOfABlankLine",
                                   kAfterName + ",One" + kNineteenCommas + "\r\n\r\n",
                                   kAfterName.size() + 26, "One", 4}),
    vostrel::testing::RowName{});

// A stream that fails partway, as a failing disk would.
class FailingBuffer : public std::streambuf {
protected:
    int_type underflow() override { throw std::ios_base::failure("disk gone"); }
};

TEST(ClassFileStream, AFailingStreamIsRefusedAndNothingEscapes) {
    for (const bool throwing : {false, true}) {
        FailingBuffer buffer;
        std::istream in(&buffer);
        if (throwing) {
            in.exceptions(std::ios::badbit);
        }
        ClassTable table;
        const auto error = readClassData(in, "disk.csv", table);
        ASSERT_TRUE(error);
        EXPECT_NE(describe(*error).find("could not be read"), std::string::npos)
            << describe(*error);
        EXPECT_EQ(table.classCount(), 0);
    }
}

TEST(ClassFileStream, ARefusedFileLeavesEvenAFilledTableEmpty) {
    ClassTable table;
    ASSERT_FALSE(readText(manyRecords(3), table));
    ASSERT_EQ(table.classCount(), 3);
    ASSERT_TRUE(readText(manyRecords(2) + recordLine("Bad,99,2,1,,,"), table));
    EXPECT_EQ(table.classCount(), 0);
    EXPECT_TRUE(table.recordAt(1).name.empty());
}

}  // namespace
}  // namespace vostrel
