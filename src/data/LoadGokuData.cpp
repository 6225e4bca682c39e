#include "data/ExampleFile.h"
#include "data/FieldChecks.h"
#include "data/MainDataFiles.h"
#include "platform/core/DataFields.h"

namespace sorban::data {

int LoadGokuData(KanjiStore& store, const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    DataFileReader file(dataDir, examplefile::Format, sink);
    if (!file.isOpen())
        return -1;
    int k = 0;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (platform::firstByteIs(line, '$')) {
            store.GokuNote = readNote(file, line);
            continue;
        }
        if (k >= ReadingSlots) {
            ++k; // no reading can own this record
            continue;
        }
        platform::FieldCursor fields(line);
        fields.skip(1); // the reading's number
        const std::string_view kanji = fields.take();
        const std::string_view reading = fields.take();
        if (file.thorough())
            file.recorded(k, kanji, reading);
        for (auto& example : store.GokuText[static_cast<std::size_t>(k)])
            example = fields.take();
        checkFieldCount(file, fields, examplefile::FirstExampleField + Columns - 1);
        ++k;
    }
    if (file.thorough() && k > ReadingSlots)
        file.fileProblem(std::to_string(k) + " example records; the program holds 2450");
    return 1;
}

} // namespace sorban::data
