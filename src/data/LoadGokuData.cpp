#include "data/MainDataFiles.h"

#include "data/DataFileMessages.h"
#include "platform/core/DataFields.h"
#include "platform/core/LineReader.h"

namespace sorban::data {

int LoadGokuData(KanjiStore& store, const std::filesystem::path& dataDir)
{
    platform::LineReader in(dataDir / "knj_goku.csv", 200);
    if (!in.isOpen()) {
        reportMissingFile("knj_goku.csv のファイルがありません。");
        return -1;
    }
    int k = 0;
    std::string_view line;
    while (in.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (platform::firstByteIs(line, '$')) {
            store.GokuNote = platform::FieldCursor(line.substr(1)).take();
            continue;
        }
        if (k >= ReadingSlots)
            continue; // no reading can own this record
        platform::FieldCursor fields(line);
        fields.skip(3);
        for (auto& example : store.GokuText[k])
            example = fields.take();
        ++k;
    }
    return 1;
}

} // namespace sorban::data
