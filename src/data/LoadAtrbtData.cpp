#include "data/MainDataFiles.h"

#include "data/DataFileMessages.h"
#include "platform/core/DataFields.h"
#include "platform/core/LineReader.h"

namespace sorban::data {

int LoadAtrbtData(KanjiStore& store, const std::filesystem::path& dataDir)
{
    platform::LineReader in(dataDir / "knj_atrbt.csv", 300);
    if (!in.isOpen()) {
        reportMissingFile("knj_atrbt.csvのファイルがありません。");
        return -99;
    }
    // Each value is stored before the next field is read, so a field error keeps the ones before it.
    const auto readInto = [](platform::FieldCursor& fields, std::int32_t& slot, const char* word) {
        const std::int32_t value = platform::intOr(fields.take(), -1);
        if (value == -1) {
            reportFieldError(word);
            return false;
        }
        slot = value;
        return true;
    };
    int k = 0;
    std::string_view line;
    while (k < AttributeSlots && in.next(line)) {
        if (platform::firstByteIs(line, '#') || platform::firstByteIs(line, '$'))
            continue;
        platform::FieldCursor fields(line);
        fields.skip(2);
        if (!readInto(fields, store.HaitouNen[k], "エラー14") || !readInto(fields, store.KakuSuu[k], "エラー15")
            || !readInto(fields, store.BushuNo[k], "エラー16")
            || !readInto(fields, store.NaritachiType[k], "エラー17"))
            return -1;
        fields.skip(2);
        if (!readInto(fields, store.HitujunFlag[k], "エラー17"))
            return -1;
        ++k;
    }
    return -1;
}

} // namespace sorban::data
