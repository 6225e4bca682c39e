#include "data/MainDataFiles.h"

#include "data/DataFileMessages.h"
#include "platform/core/DataFields.h"
#include "platform/core/Dialogs.h"
#include "platform/core/LineReader.h"

#include <string>

namespace sorban::data {
namespace {

using platform::FieldCursor;
using platform::intOr;
using platform::LineReader;

constexpr std::size_t ReadingBuffer = 200;
constexpr std::size_t AppearanceBuffer = 300;
constexpr std::size_t RadicalBuffer = 200;

// The appearance file's error for pair field `index` (0 = column 1's code) of record k.
void reportAppearanceError(int index, int k)
{
    if (index == 0) {
        platform::dialogs().messageBox(std::to_string(k), "ご報告００");
        platform::dialogs().messageBox("学年欄にエラー03", "apr_jho.csv");
    } else if (index == 1) {
        reportFieldError("頁欄にエラー04");
    } else {
        const int number = index + 3;
        reportFieldError("エラー発生" + std::string(number < 10 ? "0" : "") + std::to_string(number));
    }
}

// Returns false when a field error ended the loading.
bool readReadings(KanjiStore& store, LineReader& in)
{
    int reading = 0;
    std::string_view line;
    while (in.next(line)) {
        if (platform::firstByteIs(line, '#') || platform::firstByteIs(line, '$'))
            continue;
        FieldCursor fields(line);
        const std::int32_t n = intOr(fields.take(), -1);
        if (n == -1) {
            reportFieldError("エラー発生00");
            return false;
        }
        // A kanji number with no slot keeps its readings (they stay aligned with the other
        // files' records) but stores nothing by number.
        const bool hasSlot = KanjiStore::isKanjiNumber(n);
        const std::string_view kanji = fields.take();
        if (hasSlot)
            store.KanjiText[n] = kanji;
        const std::int32_t count = intOr(fields.take(), -1);
        if (count == -1) {
            reportFieldError("エラー発生01");
            return false;
        }
        if (hasSlot)
            store.YomiCount[n] = count;
        const std::int32_t total = intOr(fields.take(), -1);
        if (total == -1) {
            reportFieldError("エラー発生02");
            return false;
        }
        if (hasSlot)
            store.YomiTotal[n] = total;
        for (std::int32_t i = 0; i < count && reading < ReadingSlots; ++i)
            store.YomiText[reading++] = fields.take();
    }
    return true;
}

bool readAppearances(KanjiStore& store, LineReader& in)
{
    int k = 0;
    std::string_view line;
    while (in.next(line)) {
        if (platform::firstByteIs(line, '#')) {
            FieldCursor fields(line);
            fields.skip(4);
            for (auto& label : store.ColumnLabel) {
                label = fields.take();
                fields.skip(1);
            }
            continue;
        }
        if (platform::firstByteIs(line, '$')) {
            store.AprNote = FieldCursor(line.substr(1)).take();
            continue;
        }
        if (k >= ReadingSlots)
            continue; // no reading can own this record
        FieldCursor fields(line);
        fields.skip(4);
        AprRow& record = store.AprRecord[k];
        for (int index = 0; index < static_cast<int>(record.size()); ++index) {
            const std::int32_t value = intOr(fields.take(), -1);
            if (value == -1 && index + 1 < static_cast<int>(record.size())) {
                reportAppearanceError(index, k);
                return false;
            }
            record[index] = value;
        }
        ++k;
    }
    return true;
}

void readRadicals(KanjiStore& store, LineReader& in)
{
    int r = 0;
    std::string_view line;
    while (r < RadicalSlots && in.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        FieldCursor fields(line);
        fields.skip(1);
        store.BushuName[r] = fields.take();
        store.BushuYomi[r] = fields.take();
        ++r;
    }
}

} // namespace

int LoadYomiData(KanjiStore& store, const std::filesystem::path& dataDir)
{
    {
        LineReader in(dataDir / "knj_yomi.csv", ReadingBuffer);
        if (!in.isOpen()) {
            reportMissingFile("knj_yomi.csv のファイルがありません。");
            return -1;
        }
        if (!readReadings(store, in))
            return -1;
    }
    {
        LineReader in(dataDir / "apr_jho.csv", AppearanceBuffer);
        if (!in.isOpen()) {
            reportMissingFile("apr_jho.csv のファイルがありません。");
            return -1;
        }
        if (!readAppearances(store, in))
            return -1;
    }
    LineReader in(dataDir / "bushu_ban.csv", RadicalBuffer);
    if (!in.isOpen()) {
        reportMissingFile("bushu_ban.csvのファイルがありません。");
        return -99;
    }
    readRadicals(store, in);
    return 1;
}

} // namespace sorban::data
