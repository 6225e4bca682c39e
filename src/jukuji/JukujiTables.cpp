#include "jukuji/JukujiTables.h"

#include "platform/core/DataFields.h"
#include "platform/core/Dialogs.h"
#include "platform/core/LineReader.h"

#include <optional>

namespace sorban::jukuji {
namespace {

constexpr std::size_t Buffer = 200;

// Reads the data rows (at most 34) of one jukujikun file; "$" lines give its edition label. A
// file whose `endsAtX` stops at a line beginning with "x" or "X".
template <typename Row>
void readRows(const std::filesystem::path& file, const char* missing, bool endsAtX, std::optional<std::string>& label, Row row)
{
    platform::LineReader in(file, Buffer);
    if (!in.isOpen()) {
        platform::dialogs().messageBox("ご注意！", missing);
        return;
    }
    int n = 0;
    std::string_view line;
    while (n < Rows && in.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (platform::firstByteIs(line, '$')) {
            label = line.substr(1);
            continue;
        }
        if (endsAtX && (platform::firstByteIs(line, 'x') || platform::firstByteIs(line, 'X')))
            break;
        platform::FieldCursor fields(line);
        row(static_cast<std::size_t>(n++), fields);
    }
}

} // namespace

void readAppearances(JukujiTables& tables, const std::filesystem::path& dataDir)
{
    std::optional<std::string> label;
    readRows(dataDir / "juk_jho.csv", "juk_jho.csv のファイルがありません。", true, label,
             [&](std::size_t row, platform::FieldCursor& fields) {
                 fields.skip(1);
                 tables.word[row] = fields.take();
                 tables.reading[row] = fields.take();
                 for (auto& a : tables.appearance[row]) {
                     a.code = platform::intOr(fields.take(), 16);
                     a.page = platform::intOr(fields.take(), 0);
                 }
             });
    if (label) {
        tables.appearanceLabel = *label;
        tables.appearanceLabelRead = true;
    }
}

void readExamples(JukujiTables& tables, const std::filesystem::path& dataDir)
{
    std::optional<std::string> label;
    readRows(dataDir / "juk_goku.csv", "juk_goku.csv のファイルがありません。", false, label,
             [&](std::size_t row, platform::FieldCursor& fields) {
                 fields.skip(3);
                 for (auto& example : tables.example[row])
                     example = fields.take();
             });
    if (label)
        tables.exampleLabel = *label;
}

} // namespace sorban::jukuji
