#include "search/GroupedList.h"

#include "platform/widgets/StringGrid.h"

namespace sorban::search {

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
        const int col = (position - 1) % GroupedColumns + 1;
        grid.setCell(col, row, entry.kanji);
        if (col == GroupedColumns)
            row = nextFree++;
        ++position;
        previous = entry.value;
    }
}

} // namespace sorban::search
