#include "search/SearchTableFiles.h"

#include "platform/core/DataFields.h"
#include "platform/core/TextCodec.h"

#include <algorithm>

namespace sorban::search {
namespace {

// The marks of the table files, in Shift-JIS.
struct Marks {
    std::string dot = platform::utf8ToSjis("・");
    std::string ring = platform::utf8ToSjis("○");
    std::string threeRings = platform::utf8ToSjis("○○○");
    std::string strokes = platform::utf8ToSjis("画");
    std::string strokesRing = platform::utf8ToSjis("画○");
    std::string radical = platform::utf8ToSjis("≫");
    std::string star = platform::utf8ToSjis("＊");
};

const Marks& marks()
{
    static const Marks converted;
    return converted;
}

// The cells of one row of the radical table, and what a thorough reader finds in it.
void radicalRow(data::DataFileReader& file, std::string line, int r, RadicalTable& table)
{
    const std::string& dot = marks().dot;
    const std::size_t comma = line.find(',');
    line = comma == std::string::npos ? std::string() : line.substr(comma + 1);
    line += dot;
    if (const std::size_t heading = platform::findSjis(line, marks().ring); heading != std::string::npos)
        table.cells.push_back({0, r, line.substr(0, heading)});
    if (file.thorough()) {
        const std::string head = line.substr(0, 6);
        if (head != marks().threeRings
            && !(head.size() == 6 && head.compare(2, 2, marks().strokes) == 0 && head.compare(4, 2, marks().ring) == 0))
            file.problem(2, "row has no heading part (\"N画○\" or \"○○○\")");
        if (line.find(',', 6) != std::string::npos)
            file.problem(2, "a comma after the first field shifts the radical cells the window marks");
    }
    line.erase(0, std::min<std::size_t>(6, line.size()));
    line.erase(std::remove(line.begin(), line.end(), ','), line.end());
    int col = 1;
    bool first = true;
    for (std::size_t end; (end = platform::findSjis(line, dot)) != std::string::npos;) {
        const std::string group = line.substr(0, end);
        line.erase(0, end + dot.size());
        if (!first)
            ++col; // the empty cell between two groups
        first = false;
        table.cells.push_back({col++, r, group.substr(0, 2)});
        table.cells.push_back({col++, r, radicalMark()});
        const bool marked = group.size() >= 4 && group.compare(2, 2, radicalMark()) == 0;
        if (file.thorough() && !marked && group != "\n")
            file.problem(2, "group \"" + platform::sjisToUtf8(group) + "\" lacks the ≫ after its radical");
        for (std::size_t k = 4; k + 1 < group.size(); k += 2) {
            if (file.thorough())
                file.recorded(r, group.substr(k, 2));
            table.cells.push_back({col++, r, group.substr(k, 2)});
        }
    }
    if (file.thorough() && col - 1 > RadicalTableColumns)
        file.problem(2, "row is " + std::to_string(col - 1) + " columns wide; the grid shows " + std::to_string(RadicalTableColumns));
}

// The radicals the window marks in a row as read: the place of each "≫" after the heading.
void radicalCells(const std::string& read, int r, RadicalTable& table, int& found)
{
    std::string line = read;
    if (const std::size_t at = platform::findSjis(line, marks().strokesRing); at != std::string::npos)
        line.erase(0, at + marks().strokesRing.size());
    else if (const std::size_t three = platform::findSjis(line, marks().threeRings); three != std::string::npos)
        line.erase(0, three + marks().threeRings.size());
    for (std::size_t k = 0; 2 * k + 1 < line.size(); ++k) {
        if (line.compare(2 * k, 2, radicalMark()) != 0)
            continue;
        ++found;
        if (static_cast<int>(table.radicalCells.size()) < RadicalCells)
            table.radicalCells.emplace_back(static_cast<int>(k), r);
    }
}

} // namespace

const std::string& radicalMark()
{
    return marks().radical;
}

RadicalTable readRadicalTable(const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    RadicalTable table;
    data::DataFileReader file(dataDir, RadicalTableFormat, sink);
    if (!file.isOpen())
        return table;
    int rows = 0;
    int found = 0;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (rows == RadicalTableRows) {
            if (file.thorough())
                file.problem(0, "rows after the 50th are not read");
            break;
        }
        radicalRow(file, std::string(line), rows, table);
        radicalCells(std::string(line), rows, table, found);
        ++rows;
    }
    if (file.thorough() && found > RadicalCells)
        file.fileProblem(std::to_string(found) + " radical groups; the window marks the first 200");
    return table;
}

std::vector<TableCell> readReadingTable(const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    std::vector<TableCell> cells;
    data::DataFileReader file(dataDir, ReadingTableFormat, sink);
    if (!file.isOpen())
        return cells;
    const std::string& star = marks().star;
    int row = 1;
    int col = 0;
    bool kanjiMark = false;
    std::string_view line;
    // Rows past the grid's last have no cells; the rest of the file is not read.
    while (row <= ReadingTableRows && file.next(line)) {
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
        if (line.empty() || platform::firstByteIs(line, '#'))
            continue;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == ',')
                continue;
            const std::string character(line.substr(i, 2));
            if (file.thorough() && !platform::isSjisLeadByte(static_cast<unsigned char>(line[i])))
                file.problem(0, "single-byte character at byte " + std::to_string(i + 1) + ": only commas may be single bytes");
            ++i;
            if (static_cast<unsigned char>(character[0]) == HiraganaLeadByte) {
                cells.push_back({0, row, character});
                col = 0;
                kanjiMark = false;
                continue;
            }
            cells.push_back({++col, row, character});
            kanjiMark = true;
            if (file.thorough() && col == ReadingTableColumns + 1)
                file.problem(0, "row " + std::to_string(row) + " holds more than the 32 kanji the grid shows");
            if (file.thorough() && character != star)
                file.recorded(row, character);
        }
        if (kanjiMark)
            ++row;
    }
    while (file.thorough() && row > ReadingTableRows && file.next(line))
        if (line != "\n" && !platform::firstByteIs(line, '#')) {
            file.problem(0, "rows after the 115th are not read");
            break;
        }
    return cells;
}

} // namespace sorban::search
