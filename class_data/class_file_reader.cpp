#include "class_file_reader.h"

#include <exception>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "byte_sources.h"
#include "record_reader.h"
#include "text_encoding.h"

namespace vostrel {

namespace {

std::optional<Refusal> readFrom(detail::ByteSource& source, std::string_view sourceName,
                                ClassTable& table) {
    table = ClassTable{};
    try {
        std::vector<ClassRecord> records;
        detail::LimitedSource limited(source);
        detail::RecordsRead read = detail::readRecords(limited, 0, records);
        // A sheet whose rows stop short of level 20 is read again, a row to a class.
        if (read.sheetWidth != 0 && limited.rewind()) {
            records.clear();
            read = detail::readRecords(limited, read.sheetWidth, records);
        }
        if (read.refusal) {
            if (limited.tooLarge()) {
                return Refusal{.kind = RefusalKind::TooLargeStream,
                               .source = std::string(sourceName)};
            }
            read.refusal->source = sourceName;
            return read.refusal;
        }
        // Texts stay bytes while reading: every byte the grammar looks at is ASCII,
        // so the encoding is settled once the whole file is known.
        ClassTable loaded;
        for (ClassRecord& record : records) {
            if (read.windows1252) {
                detail::forEachText(
                    record, [](std::string& text) { text = detail::windows1252ToUtf8(text); });
            }
            loaded.appendRecord(std::move(record));
        }
        table = std::move(loaded);
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        table = ClassTable{};
        return Refusal{.kind = RefusalKind::OutOfMemory, .source = std::string(sourceName)};
    } catch (const std::exception&) {
        // Only a stream set to throw on failure gets here.
        table = ClassTable{};
        return Refusal{.kind = RefusalKind::Unreadable, .source = std::string(sourceName)};
    }
}

}  // namespace

std::optional<Refusal> readClassData(std::istream& in, std::string_view sourceName,
                                     ClassTable& table) {
    detail::StreamSource source(in);
    return readFrom(source, sourceName, table);
}

std::optional<Refusal> readClassFile(const std::filesystem::path& path, ClassTable& table) {
    table = ClassTable{};
    std::string name;
    try {
        name = path.string();
        detail::OpenedFile opened = detail::openClassFile(name);
        if (opened.file == nullptr) {
            return std::move(opened.refusal);
        }
        detail::FileSource source(std::move(opened.file));
        auto refusal = readFrom(source, name, table);
        if (refusal && source.failed()) {
            // A failing disk: say what the system reported.
            return Refusal{
                .kind = RefusalKind::CannotRead, .source = name, .number = source.error()};
        }
        return refusal;
    } catch (const std::bad_alloc&) {
        table = ClassTable{};
        return Refusal{.kind = RefusalKind::OutOfMemory, .source = name};
    }
}

std::optional<Refusal> loadClassData(const std::filesystem::path& path, ClassTable& table) {
    auto refusal = readClassFile(path, table);
    if (!refusal) {
        table.deriveGoodSaves();
    }
    return refusal;
}

}  // namespace vostrel
