#include "jukuji/JukujiTables.h"

#include "data/AppearanceText.h"
#include "data/FieldChecks.h"
#include "platform/core/DataFields.h"

#include <optional>

namespace sorban::jukuji {
namespace {

// Reads the rows (at most 34) of one jukujikun file into `row`; "$" lines give its edition label.
// The word file also ends at a line beginning with "x" or "X".
template <typename Row>
void readRows(data::DataFileReader& file, bool endsAtX, std::optional<std::string>& label, Row row)
{
    if (!file.isOpen())
        return;
    int n = 0;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (platform::firstByteIs(line, '$')) {
            label = line.substr(1);
            continue;
        }
        if (endsAtX && (platform::firstByteIs(line, 'x') || platform::firstByteIs(line, 'X')))
            break;
        if (n == Rows) {
            if (file.thorough())
                file.problem(0, "rows after the 34th are not read");
            break;
        }
        platform::FieldCursor fields(line);
        row(static_cast<std::size_t>(n++), fields);
    }
}

} // namespace

void readAppearances(JukujiTables& tables, const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    std::optional<std::string> label;
    data::DataFileReader file(dataDir, WordFile, sink);
    readRows(file, true, label, [&](std::size_t row, platform::FieldCursor& fields) {
        fields.skip(1);
        tables.word[row] = fields.take();
        tables.reading[row] = fields.take();
        if (file.thorough())
            file.recorded(static_cast<int>(row), tables.word[row], tables.reading[row]);
        int field = 4;
        for (auto& a : tables.appearance[row]) {
            a.code = platform::intOr(fields.take(), MissingCode);
            a.page = platform::intOr(fields.take(), MissingPage);
            if (file.thorough() && a.code != 0 && !data::isValidAppearanceCode(a.code))
                file.problem(field, "invalid appearance code " + std::to_string(a.code) + " (shown as －－－; 0 marks no appearance)");
            field += 2;
        }
        data::checkFieldCount(file, fields, 15);
    });
    if (label) {
        tables.appearanceLabel = *label;
        tables.appearanceLabelRead = true;
    }
}

void readExamples(JukujiTables& tables, const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    std::optional<std::string> label;
    data::DataFileReader file(dataDir, ExampleFile, sink);
    readRows(file, false, label, [&](std::size_t row, platform::FieldCursor& fields) {
        fields.skip(1);
        const std::string_view word = fields.take();
        const std::string_view reading = fields.take();
        if (file.thorough())
            file.recorded(static_cast<int>(row), word, reading);
        for (auto& example : tables.example[row])
            example = fields.take();
        data::checkFieldCount(file, fields, 9);
    });
    if (label)
        tables.exampleLabel = *label;
}

} // namespace sorban::jukuji
