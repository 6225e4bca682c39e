#include "search/GroupedListFile.h"

#include "data/FieldChecks.h"
#include "platform/core/DataFields.h"

#include <set>

namespace sorban::search {
namespace {

void checkOrder(data::DataFileReader& file, const GroupedListFormat& format, const std::vector<GroupedEntry>& entries)
{
    std::set<std::int32_t> values;
    std::int32_t highest = 0;
    for (const auto& entry : entries) {
        if (entry.value < highest)
            file.problemAt(entry.line, 3,
                           std::string("out of order: ") + format.valueName + " " + std::to_string(entry.value) + " after "
                               + std::to_string(highest));
        highest = std::max(highest, entry.value);
        values.insert(entry.value);
    }
    if (static_cast<int>(entries.size()) != GroupedEntries)
        file.fileProblem(std::to_string(entries.size()) + " entries; the table lays out 1026");
    for (std::int32_t v = 1; v <= highest; ++v)
        if (!values.count(v))
            file.fileProblem(std::string("no kanji of ") + format.valueName + " " + std::to_string(v));
    if (const int rows = groupedRows(entries); rows > format.gridRows)
        file.fileProblem("the table needs " + std::to_string(rows) + " rows; the window shows " + std::to_string(format.gridRows));
}

} // namespace

std::vector<GroupedEntry> readGroupedList(const GroupedListFormat& format, const std::filesystem::path& dataDir,
                                          std::optional<std::string>* label, platform::ProblemSink& sink)
{
    std::vector<GroupedEntry> entries;
    data::DataFileReader file(dataDir, format.file, sink);
    if (!file.isOpen())
        return entries;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (format.hasLabelLine && platform::firstByteIs(line, '$')) {
            const std::string_view rest = line.substr(1);
            const std::size_t comma = rest.find(',');
            *label = std::string(comma == std::string_view::npos ? rest : rest.substr(0, comma));
            continue;
        }
        platform::FieldCursor fields(line);
        GroupedEntry entry;
        entry.line = file.line();
        if (!data::takeInteger(file, fields, 1, entry.number,
                               [] {
                                   return data::FieldError{"kanji number", {data::fieldErrorBox(GroupedNumberError)}};
                               })
            && !file.thorough())
            break;
        entry.kanji = fields.take();
        if (!data::takeInteger(file, fields, 3, entry.value, [&] {
                return data::FieldError{format.valueName, {data::fieldErrorBox(format.valueError)}};
            })) {
            if (!file.thorough())
                break;
            continue;
        }
        if (file.thorough()) {
            file.recorded(entry.number, entry.kanji);
            data::checkFieldCount(file, fields, 3);
        }
        // The table places 1026 entries; lines past them have no place in it.
        if (static_cast<int>(entries.size()) < GroupedEntries || file.thorough())
            entries.push_back(std::move(entry));
    }
    if (file.thorough())
        checkOrder(file, format, entries);
    return entries;
}

int groupedRows(const std::vector<GroupedEntry>& entries)
{
    int rows = 0;
    std::size_t i = 0;
    while (i < entries.size()) {
        std::size_t end = i + 1;
        while (end < entries.size() && entries[end].value <= entries[end - 1].value)
            ++end; // the layout starts a group only where the value rises
        const auto group = static_cast<int>(end - i);
        rows += (group + GroupedColumns - 1) / GroupedColumns + (end < entries.size() && group % GroupedColumns == 0 ? 1 : 0);
        i = end;
    }
    return rows;
}

} // namespace sorban::search
