#include "JukujiTables.h"

#include "DataFields.h"
#include "Dialogs.h"
#include "LineReader.h"

namespace sorban::jukuji {
namespace {

constexpr std::size_t Buffer = 200;

} // namespace

void readAppearances(JukujiTables& tables, const std::filesystem::path& dataDir)
{
    platform::LineReader in(dataDir / "juk_jho.csv", Buffer);
    if (!in.isOpen()) {
        platform::dialogs().messageBox("ご注意！", "juk_jho.csv のファイルがありません。");
        return;
    }
    int n = 0;
    std::string_view line;
    while (n < Rows && in.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (platform::firstByteIs(line, '$')) {
            tables.appearanceLabel = line.substr(1);
            tables.appearanceLabelRead = true;
            continue;
        }
        if (platform::firstByteIs(line, 'x') || platform::firstByteIs(line, 'X'))
            break;
        const auto row = static_cast<std::size_t>(n++);
        platform::FieldCursor fields(line);
        fields.skip(1);
        tables.word[row] = fields.take();
        tables.reading[row] = fields.take();
        for (auto& a : tables.appearance[row]) {
            a.code = platform::intOr(fields.take(), 16);
            a.page = platform::intOr(fields.take(), 0);
        }
    }
}

void readExamples(JukujiTables& tables, const std::filesystem::path& dataDir)
{
    platform::LineReader in(dataDir / "juk_goku.csv", Buffer);
    if (!in.isOpen()) {
        platform::dialogs().messageBox("ご注意！", "juk_goku.csv のファイルがありません。");
        return;
    }
    int n = 0;
    std::string_view line;
    while (n < Rows && in.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (platform::firstByteIs(line, '$')) {
            tables.exampleLabel = line.substr(1);
            continue;
        }
        const auto row = static_cast<std::size_t>(n++);
        platform::FieldCursor fields(line);
        fields.skip(3);
        for (auto& example : tables.example[row])
            example = fields.take();
    }
}

} // namespace sorban::jukuji
