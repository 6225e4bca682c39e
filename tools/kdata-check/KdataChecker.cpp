#include "kdata-check/KdataChecker.h"

#include "platform/core/DataFields.h"
#include "platform/core/TextCodec.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace kdatacheck {
namespace {

namespace fs = std::filesystem;
using sorban::platform::convertInt;
using sorban::platform::FieldCursor;
using sorban::platform::sjisToUtf8;
using sorban::platform::utf8ToSjis;

constexpr int Kanji = 1026;
constexpr int ReadingSlots = 2450;

std::string sj(std::string_view utf8)
{
    return utf8ToSjis(utf8);
}

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isOneDoubleByteChar(std::string_view s)
{
    return s.size() == 2 && isLeadByte(static_cast<unsigned char>(s[0])) && sjisToUtf8(s).find("\xEF\xBF\xBD") == std::string::npos;
}

bool isValidCode(int code)
{
    return code >= 10 && code <= 62 && code % 10 <= 2;
}

struct Line {
    int number;
    std::string bytes; ///< without its line end
};

class Report {
public:
    explicit Report(std::vector<Problem>& out) : m_out(out) {}
    void add(const std::string& file, int line, int field, std::string message, bool warning = false)
    {
        m_out.push_back({file, line, field, std::move(message), warning});
    }

private:
    std::vector<Problem>& m_out;
};

// One data file, split into lines as the program reads them, with the checks every file shares.
class SourceFile {
public:
    SourceFile(const fs::path& dir, std::string name, std::size_t buffer, Report& report)
        : m_name("kdata/" + name), m_report(report)
    {
        std::ifstream in(dir / name, std::ios::binary);
        if (!in || fs::is_directory(dir / name)) {
            report.add(m_name, 0, 0, "the file is missing: the program shows its missing-file message");
            return;
        }
        std::ostringstream all;
        all << in.rdbuf();
        std::string bytes = all.str();
        m_present = true;
        // The program's reading stops at a Ctrl+Z byte, as text-mode reading on Windows does.
        if (const std::size_t mark = bytes.find('\x1A'); mark != std::string::npos) {
            const auto line = static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(mark), '\n')) + 1;
            const bool more = bytes.find_first_not_of("\r\n\x1A", mark) != std::string::npos;
            report.add(m_name, line, 0,
                       more ? "Ctrl+Z (0x1A) byte: the program stops reading the file here, before what follows it"
                            : "Ctrl+Z (0x1A) byte at the end of the file: the program stops reading there",
                       !more);
            bytes.resize(mark);
        }
        int number = 0;
        for (std::size_t pos = 0; pos < bytes.size();) {
            std::size_t end = bytes.find('\n', pos);
            const bool hasFeed = end != std::string::npos;
            if (!hasFeed)
                end = bytes.size();
            std::string text = bytes.substr(pos, end - pos);
            pos = hasFeed ? end + 1 : end;
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            ++number;
            const std::size_t read = text.size() + (hasFeed ? 1 : 0);
            if (read > buffer - 1)
                report.add(m_name, number, 0, "line of " + std::to_string(read) + " bytes is longer than the " + std::to_string(buffer - 1)
                                                  + " the program reads at once: it would be split into several lines");
            if (text.find('\0') != std::string::npos)
                report.add(m_name, number, 0, "NUL byte: the program's line ends there");
            if (const auto bad = firstInvalidByte(text))
                report.add(m_name, number, 0, "bytes that are not valid Shift-JIS at byte " + std::to_string(*bad + 1));
            m_lines.push_back({number, std::move(text)});
        }
    }

    bool present() const { return m_present; }
    const std::vector<Line>& lines() const { return m_lines; }
    const std::string& name() const { return m_name; }
    void problem(int line, int field, std::string message) const { m_report.add(m_name, line, field, std::move(message)); }

private:
    static std::optional<std::size_t> firstInvalidByte(std::string_view s)
    {
        for (std::size_t i = 0; i < s.size(); ++i) {
            const auto b = static_cast<unsigned char>(s[i]);
            if (isLeadByte(b)) {
                if (i + 1 >= s.size() || sjisToUtf8(s.substr(i, 2)).find("\xEF\xBF\xBD") != std::string::npos)
                    return i;
                ++i;
            } else if (b >= 0x80 && !(b >= 0xA1 && b <= 0xDF)) {
                return i;
            }
        }
        return std::nullopt;
    }

    std::string m_name;
    Report& m_report;
    bool m_present = false;
    std::vector<Line> m_lines;
};

// Takes numbered fields from a line and reports what the program could not convert.
class Fields {
public:
    Fields(const SourceFile& file, const Line& line) : m_file(file), m_line(line), m_cursor(line.bytes) {}

    std::string_view text()
    {
        ++m_index;
        if (m_cursor.rest().find(',') == std::string_view::npos) {
            m_missing = true;
            return {};
        }
        return m_cursor.take();
    }
    /// The field as an integer; when it does not convert (or is -1) reports `what` and what the
    /// program then does.
    std::optional<int> number(const std::string& what, const std::string& consequence)
    {
        const std::string_view field = text();
        const auto value = convertInt(field);
        if (!value || *value == -1) {
            problem(what + (field.empty() ? " is missing or empty" : " \"" + sjisToUtf8(field) + "\" is not a number") + ": "
                    + consequence);
            return std::nullopt;
        }
        return value;
    }
    void skip(int count)
    {
        for (int i = 0; i < count; ++i)
            text();
    }
    void problem(std::string message) const { m_file.problem(m_line.number, m_index, std::move(message)); }
    int index() const { return m_index; }
    bool missing() const { return m_missing; }

private:
    const SourceFile& m_file;
    const Line& m_line;
    FieldCursor m_cursor;
    int m_index = 0;
    bool m_missing = false;
};

bool firstByteIs(const Line& line, char c)
{
    return !line.bytes.empty() && line.bytes[0] == c;
}

struct Master {
    std::map<int, std::string> kanjiByNumber;
    std::map<std::string, int> numberByKanji;
    int readings = 0;
    bool loaded = false;
};

Master checkReadings(const fs::path& dir, Report& report)
{
    Master master;
    const SourceFile file(dir, "knj_yomi.csv", 200, report);
    if (!file.present())
        return master;
    master.loaded = true;
    std::map<int, int> lineOf;
    int previous = 0;
    int running = 0;
    for (const Line& line : file.lines()) {
        if (firstByteIs(line, '#') || firstByteIs(line, '$'))
            continue;
        Fields f(file, line);
        const auto n = f.number("kanji number", "the program stops with エラー発生00");
        if (n) {
            if (*n < 1 || *n > Kanji)
                f.problem("kanji number " + std::to_string(*n) + " is outside 1 to 1026");
            else if (lineOf.count(*n))
                f.problem("kanji number " + std::to_string(*n) + " stands already on line " + std::to_string(lineOf[*n]));
            else if (*n != previous + 1)
                f.problem("readings out of kanji order: kanji " + std::to_string(*n) + " follows kanji " + std::to_string(previous));
            lineOf.emplace(*n, line.number);
            previous = *n;
        }
        const std::string kanji(f.text());
        if (!isOneDoubleByteChar(kanji))
            f.problem("kanji text \"" + sjisToUtf8(kanji) + "\" is not one double-byte character");
        else if (n && master.numberByKanji.count(kanji))
            f.problem("kanji " + sjisToUtf8(kanji) + " is kanji " + std::to_string(master.numberByKanji[kanji]) + " already");
        if (n && *n >= 1 && *n <= Kanji && !master.numberByKanji.count(kanji)) {
            master.kanjiByNumber[*n] = kanji;
            master.numberByKanji[kanji] = *n;
        }
        const auto count = f.number("reading count", "the program stops with エラー発生01");
        if (count && *count < 0)
            f.problem("reading count " + std::to_string(*count) + " is negative");
        const auto total = f.number("running total", "the program stops with エラー発生02");
        const int c = count.value_or(0) > 0 ? *count : 0;
        running += c;
        if (total && *total != running)
            f.problem("running total " + std::to_string(*total) + " disagrees with the counts, which add up to " + std::to_string(running));
        for (int r = 1; r <= c; ++r) {
            const std::string_view reading = f.text();
            if (f.missing()) {
                f.problem("reading " + std::to_string(r) + " of " + std::to_string(c) + " has no comma after it: it reads as empty");
                break;
            }
            if (reading.empty())
                f.problem("reading " + std::to_string(r) + " is empty");
        }
    }
    master.readings = running;
    if (static_cast<int>(lineOf.size()) != Kanji)
        file.problem(0, 0, std::to_string(lineOf.size()) + " kanji; the program expects 1026");
    if (running > ReadingSlots)
        file.problem(0, 0, std::to_string(running) + " readings; the program holds 2450");
    return master;
}

void checkAppearances(const fs::path& dir, const Master& master, Report& report)
{
    const SourceFile file(dir, "apr_jho.csv", 300, report);
    if (!file.present())
        return;
    int records = 0;
    for (const Line& line : file.lines()) {
        Fields f(file, line);
        if (firstByteIs(line, '#')) {
            // Every comma ends one field.
            const auto count = std::count(line.bytes.begin(), line.bytes.end(), ',');
            if (count < 15)
                f.problem("header line has " + std::to_string(count) + " fields: column labels past field " + std::to_string(count)
                          + " would be empty");
            continue;
        }
        if (firstByteIs(line, '$')) {
            if (line.bytes.find(',') == std::string::npos)
                f.problem("note line has no comma: the note would be empty");
            continue;
        }
        ++records;
        f.skip(4);
        for (int column = 1; column <= 6; ++column) {
            const std::string col = "column " + std::to_string(column);
            const auto code = f.number(col + " appearance code", "the program stops with an error box");
            if (code && *code != 0 && !isValidCode(*code))
                f.problem("invalid appearance code " + std::to_string(*code) + " in " + col + " (shown as －－－; 0 marks no appearance)");
            if (column < 6) {
                f.number(col + " page", "the program stops with an error box");
            } else {
                const auto page = convertInt(f.text());
                if (!page || *page == -1)
                    f.problem("a page of -1 in column 6: the program stores it silently");
            }
        }
    }
    if (master.loaded && records != master.readings)
        file.problem(0, 0, std::to_string(records) + " appearance records for " + std::to_string(master.readings) + " readings");
}

void checkExamples(const fs::path& dir, const Master& master, Report& report)
{
    const SourceFile file(dir, "knj_goku.csv", 200, report);
    if (!file.present())
        return;
    int records = 0;
    for (const Line& line : file.lines())
        if (!firstByteIs(line, '#') && !firstByteIs(line, '$'))
            ++records;
    if (master.loaded && records != master.readings)
        file.problem(0, 0, std::to_string(records) + " example records for " + std::to_string(master.readings) + " readings");
}

int checkRadicals(const fs::path& dir, Report& report)
{
    const SourceFile file(dir, "bushu_ban.csv", 200, report);
    int records = 0;
    for (const Line& line : file.lines()) {
        if (firstByteIs(line, '#'))
            continue;
        ++records;
        if (line.bytes.empty())
            file.problem(line.number, 0, "empty line: it becomes a radical of its own and shifts the numbers of all later radicals");
    }
    if (records > 200)
        file.problem(0, 0, std::to_string(records) + " radicals; the program keeps the first 200");
    return std::min(records, 200);
}

void checkAttributes(const fs::path& dir, const fs::path& pictures, const Master& master, int radicals, Report& report)
{
    const SourceFile file(dir, "knj_atrbt.csv", 300, report);
    if (!file.present())
        return;
    const bool checkPictures = fs::is_directory(pictures);
    int k = 0;
    for (const Line& line : file.lines()) {
        if (firstByteIs(line, '#') || firstByteIs(line, '$'))
            continue;
        ++k;
        if (k > 1027) {
            file.problem(line.number, 0, "more than 1027 attribute records: the program stops reading before this one");
            break;
        }
        Fields f(file, line);
        f.skip(1);
        const std::string named(f.text());
        const auto it = master.kanjiByNumber.find(k);
        if (k <= Kanji && it != master.kanjiByNumber.end() && !named.empty() && named != it->second)
            f.problem("record " + std::to_string(k) + " names " + sjisToUtf8(named) + ", but kanji " + std::to_string(k) + " is "
                      + sjisToUtf8(it->second));
        if (const auto grade = f.number("grade", "the program stops with エラー14"); grade && (*grade < 1 || *grade > 6))
            f.problem("grade " + std::to_string(*grade) + " is not 1 to 6 (shown as ☆☆)");
        f.number("stroke count", "the program stops with エラー15");
        if (const auto radical = f.number("radical number", "the program stops with エラー16"); radical && (*radical < 0 || *radical >= radicals))
            f.problem("radical number " + std::to_string(*radical) + " has no radical in bushu_ban.csv");
        if (const auto type = f.number("formation type", "the program stops with エラー17"); type && (*type < 0 || *type > 5))
            f.problem("formation type " + std::to_string(*type) + " is not 0 to 5");
        f.skip(2);
        const auto flag = f.number("stroke-order flag", "the program stops with エラー17");
        if (flag && *flag != 0 && *flag != 1)
            f.problem("stroke-order flag " + std::to_string(*flag) + " is not 0 or 1");
        if (flag == 1 && checkPictures && it != master.kanjiByNumber.end()) {
            const std::string name = "h" + std::to_string(k) + sjisToUtf8(it->second) + ".jpg";
            if (!fs::is_regular_file(pictures / name))
                f.problem("picture hitudata/" + name + " is missing");
        }
    }
    if (k < Kanji)
        file.problem(0, 0, std::to_string(k) + " attribute records for 1026 kanji");
}

void checkKanjiCell(const Master& master, std::string_view kanji, Fields& f)
{
    if (master.loaded && !master.numberByKanji.count(std::string(kanji)))
        f.problem("kanji \"" + sjisToUtf8(kanji) + "\" is not in the master list");
}

// Kaksu_srch.csv and HaiNen_srch.csv: number, kanji, value, in ascending value.
void checkGroupedList(const fs::path& dir, const Master& master, const std::string& name, std::size_t buffer, const std::string& what,
                      int gridRows, Report& report)
{
    const SourceFile file(dir, name, buffer, report);
    if (!file.present())
        return;
    int previous = 0;
    int entries = 0;
    std::vector<int> groups; // kanji of each group, in order
    std::set<int> values;
    for (const Line& line : file.lines()) {
        if (firstByteIs(line, '#') || (name == "HaiNen_srch.csv" && firstByteIs(line, '$')))
            continue;
        ++entries;
        Fields f(file, line);
        const auto number = f.number("kanji number", "the program stops with 漢字番号::エラー発生");
        const std::string kanji(f.text());
        checkKanjiCell(master, kanji, f);
        const auto it = master.numberByKanji.find(kanji);
        if (number && it != master.numberByKanji.end() && it->second != *number)
            f.problem("kanji number " + std::to_string(*number) + ", but " + sjisToUtf8(kanji) + " is kanji " + std::to_string(it->second));
        const auto value = f.number(what, "the program stops with an error box");
        if (!value)
            continue;
        values.insert(*value);
        if (*value < previous)
            f.problem("out of order: " + what + " " + std::to_string(*value) + " after " + std::to_string(previous));
        if (*value > previous || groups.empty())
            groups.push_back(0);
        ++groups.back();
        previous = std::max(previous, *value);
    }
    if (entries != Kanji)
        file.problem(0, 0, std::to_string(entries) + " entries; the table lays out 1026");
    for (int v = 1; v <= previous; ++v)
        if (!values.count(v))
            file.problem(0, 0, "no kanji of " + what + " " + std::to_string(v));
    // The window's layout: each group starts a new row, 40 kanji a row, and a group that ends in
    // column 40 leaves one empty row behind it.
    int rows = 0;
    for (std::size_t g = 0; g < groups.size(); ++g)
        rows += (groups[g] + 39) / 40 + (g + 1 < groups.size() && groups[g] % 40 == 0 ? 1 : 0);
    if (rows > gridRows)
        file.problem(0, 0, "the table needs " + std::to_string(rows) + " rows; the window shows " + std::to_string(gridRows));
}

void checkRadicalSearch(const fs::path& dir, const Master& master, Report& report)
{
    const SourceFile file(dir, "Bs_srch.csv", 150, report);
    if (!file.present())
        return;
    const std::string mark = sj("≫"), dot = sj("・"), ring = sj("○"), kaku = sj("画");
    int rows = 0;
    int marks = 0;
    for (const Line& line : file.lines()) {
        if (firstByteIs(line, '#'))
            continue;
        if (++rows > 50) {
            file.problem(line.number, 0, "rows after the 50th are ignored");
            break;
        }
        const std::size_t comma = line.bytes.find(',');
        std::string rest = comma == std::string::npos ? std::string() : line.bytes.substr(comma + 1);
        const std::string head = rest.substr(0, 6);
        if (!(head == ring + ring + ring || (head.size() == 6 && head.substr(2, 2) == kaku && head.substr(4) == ring)))
            file.problem(line.number, 2, "row has no heading part (\"N画○\" or \"○○○\")");
        rest = rest.substr(std::min<std::size_t>(6, rest.size()));
        if (rest.find(',') != std::string::npos)
            file.problem(line.number, 2, "a comma after the first field shifts the radical cells");
        int column = 0;
        bool firstGroup = true;
        for (std::size_t at = 0; at <= rest.size();) {
            std::size_t end = rest.find(dot, at);
            while (end != std::string::npos && end % 2 != at % 2)
                end = rest.find(dot, end + 1);
            const std::string group = rest.substr(at, end == std::string::npos ? std::string::npos : end - at);
            if (!group.empty()) {
                column += firstGroup ? 2 : 3;
                firstGroup = false;
                if (group.substr(2, 2) != mark)
                    file.problem(line.number, 2, "group \"" + sjisToUtf8(group) + "\" lacks the ≫ after its radical");
                else
                    ++marks;
                for (std::size_t k = 4; k + 1 < group.size(); k += 2) {
                    ++column;
                    const std::string kanji = group.substr(k, 2);
                    if (master.loaded && !master.numberByKanji.count(kanji))
                        file.problem(line.number, 2, "kanji \"" + sjisToUtf8(kanji) + "\" is not in the master list");
                }
            }
            if (end == std::string::npos)
                break;
            at = end + 2;
        }
        if (column > 48)
            file.problem(line.number, 2, "row is " + std::to_string(column) + " columns wide; the grid shows 48");
    }
    if (marks > 200)
        file.problem(0, 0, std::to_string(marks) + " radical groups; the window marks the first 200");
}

void checkReadingSearch(const fs::path& dir, const Master& master, Report& report)
{
    const SourceFile file(dir, "Yomi_srch.csv", 200, report);
    if (!file.present())
        return;
    const std::string star = sj("＊");
    int row = 1;
    int column = 0;
    bool kanjiMark = false;
    for (const Line& line : file.lines()) {
        if (line.bytes.empty() || firstByteIs(line, '#'))
            continue;
        const std::string& b = line.bytes;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const auto c = static_cast<unsigned char>(b[i]);
            if (c == ',')
                continue;
            if (!isLeadByte(c)) {
                file.problem(line.number, 0, "single-byte character at byte " + std::to_string(i + 1) + ": only commas may be single bytes");
                continue;
            }
            const std::string ch = b.substr(i, 2);
            ++i;
            if (c == 0x82) {
                column = 0;
                kanjiMark = false;
                continue;
            }
            ++column;
            kanjiMark = true;
            if (column == 33)
                file.problem(line.number, 0, "row " + std::to_string(row) + " holds more than the 32 kanji the grid shows");
            if (ch != star && master.loaded && !master.numberByKanji.count(ch))
                file.problem(line.number, 0, "\"" + sjisToUtf8(ch) + "\" is not in the master list");
        }
        if (kanjiMark)
            ++row;
    }
    if (row - 1 > 115)
        file.problem(0, 0, std::to_string(row - 1) + " reading rows; the grid shows 115");
}

void checkJukujikun(const fs::path& dir, Report& report)
{
    const SourceFile words(dir, "juk_jho.csv", 200, report);
    int rows = 0;
    for (const Line& line : words.lines()) {
        if (firstByteIs(line, '#') || firstByteIs(line, '$'))
            continue;
        if (firstByteIs(line, 'x') || firstByteIs(line, 'X'))
            break;
        if (++rows > 34) {
            words.problem(line.number, 0, "rows after the 34th are ignored");
            break;
        }
        Fields f(words, line);
        f.skip(3);
        for (int column = 1; column <= 6; ++column) {
            const auto code = convertInt(f.text());
            if (code && *code != 0 && !isValidCode(*code))
                f.problem("invalid appearance code " + std::to_string(*code) + " (shown as －－－)");
            f.text();
        }
    }
    const SourceFile examples(dir, "juk_goku.csv", 200, report);
    int exampleRows = 0;
    for (const Line& line : examples.lines())
        if (!firstByteIs(line, '#') && !firstByteIs(line, '$'))
            ++exampleRows;
    if (words.present() && examples.present() && std::min(exampleRows, 34) != std::min(rows, 34))
        examples.problem(0, 0, std::to_string(exampleRows) + " example rows for " + std::to_string(rows) + " words");
}

} // namespace

std::string Problem::format() const
{
    return file + ":" + std::to_string(line) + ":" + std::to_string(field) + ": " + (warning ? "warning: " : "") + message;
}

bool hasFault(const std::vector<Problem>& problems)
{
    return std::any_of(problems.begin(), problems.end(), [](const Problem& p) { return !p.warning; });
}

std::vector<Problem> checkDataFolder(const std::filesystem::path& dir)
{
    std::vector<Problem> problems;
    Report report(problems);
    const fs::path kdata = dir / "kdata";
    const Master master = checkReadings(kdata, report);
    checkAppearances(kdata, master, report);
    checkExamples(kdata, master, report);
    const int radicals = checkRadicals(kdata, report);
    checkAttributes(kdata, dir / "hitudata", master, radicals, report);
    checkGroupedList(kdata, master, "Kaksu_srch.csv", 100, "stroke count", 38, report);
    checkGroupedList(kdata, master, "HaiNen_srch.csv", 200, "grade", 30, report);
    checkRadicalSearch(kdata, master, report);
    checkReadingSearch(kdata, master, report);
    checkJukujikun(kdata, report);
    return problems;
}

} // namespace kdatacheck
