#include "search/GroupedList.h"

#include "platform/core/DataFields.h"
#include "platform/core/Dialogs.h"
#include "platform/core/LineReader.h"
#include "platform/widgets/StringGrid.h"

namespace sorban::search {

std::vector<GroupedEntry> readGroupedList(const GroupedListFile& file, std::optional<std::string>* label)
{
    std::vector<GroupedEntry> entries;
    platform::LineReader in(file.path, file.buffer);
    if (!in.isOpen()) {
        platform::dialogs().messageBox("ご注意！", file.missingSentence);
        return entries;
    }
    std::string_view line;
    while (in.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (file.hasLabelLine && platform::firstByteIs(line, '$')) {
            const std::string_view rest = line.substr(1);
            const std::size_t comma = rest.find(',');
            *label = std::string(comma == std::string_view::npos ? rest : rest.substr(0, comma));
            continue;
        }
        platform::FieldCursor fields(line);
        GroupedEntry entry;
        entry.number = platform::intOr(fields.take(), -1);
        if (entry.number == -1) {
            platform::dialogs().messageBox("漢字番号::エラー発生", "ご報告");
            break;
        }
        entry.kanji = fields.take();
        entry.value = platform::intOr(fields.take(), -1);
        if (entry.value == -1) {
            platform::dialogs().messageBox(file.valueError, "ご報告");
            break;
        }
        // The table places 1026 entries; lines past them have no place in it.
        if (entries.size() < 1026)
            entries.push_back(std::move(entry));
    }
    return entries;
}

void layoutGroups(platform::StringGrid& grid, const std::vector<GroupedEntry>& entries, const std::string& suffix)
{
    int nextFree = 0;
    int row = -1;
    std::int32_t previous = 0;
    int position = 0;
    for (const auto& entry : entries) {
        if (entry.value > previous) {
            row = nextFree++;
            grid.setCell(0, row, std::to_string(entry.value) + suffix);
            position = 1;
        }
        if (row < 0) // a first entry whose value is not above 0 opens the first row
            row = nextFree++;
        const int col = (position - 1) % 40 + 1;
        grid.setCell(col, row, entry.kanji);
        if (col == 40)
            row = nextFree++;
        ++position;
        previous = entry.value;
    }
}

} // namespace sorban::search
