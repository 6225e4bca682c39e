#include "data/AttributeFile.h"
#include "data/FieldChecks.h"
#include "data/MainDataFiles.h"
#include "platform/core/DataFields.h"

namespace sorban::data {
namespace {

// The values a record may hold that convert but mean nothing to the windows.
void checkRanges(DataFileReader& file, const KanjiStore& store, int k)
{
    const auto slot = static_cast<std::size_t>(k);
    if (const auto grade = store.HaitouNen[slot]; grade < 1 || grade > 6)
        file.problem(3, "grade " + std::to_string(grade) + " is not 1 to 6 (shown as ☆☆)");
    if (const auto type = store.NaritachiType[slot]; type < 0 || type >= attributefile::FormationTypes)
        file.problem(6, "formation type " + std::to_string(type) + " is not 0 to 5 (shown as －－)");
    if (const auto flag = store.HitujunFlag[slot]; flag != 0 && flag != 1)
        file.problem(9, "stroke-order flag " + std::to_string(flag) + " is not 0 or 1 (the button stays disabled)");
}

// One record into slot k; false when a field error ended it. Each value is stored before the next
// field is read, so a field error keeps the ones before it.
bool readRecord(KanjiStore& store, DataFileReader& file, std::string_view line, int k)
{
    using namespace attributefile;
    const auto slot = static_cast<std::size_t>(k);
    platform::FieldCursor fields(line);
    fields.skip(1);
    const std::string_view kanji = fields.take();
    if (file.thorough())
        file.recorded(k, kanji);
    struct Field {
        int number;
        const char* what;
        const char* word;
        std::int32_t& slot;
    };
    const Field order[] = {{3, "grade", GradeError, store.HaitouNen[slot]},
                           {4, "stroke count", StrokeError, store.KakuSuu[slot]},
                           {5, "radical number", RadicalError, store.BushuNo[slot]},
                           {6, "formation type", TypeError, store.NaritachiType[slot]},
                           {9, "stroke-order flag", FlagError, store.HitujunFlag[slot]}};
    bool whole = true;
    for (const Field& f : order) {
        if (f.number == 9)
            fields.skip(2);
        std::int32_t value = 0;
        if (!takeInteger(file, fields, f.number, value, [&] { return FieldError{f.what, {fieldErrorBox(f.word)}}; })) {
            if (!file.thorough())
                return false;
            whole = false;
            continue;
        }
        f.slot = value;
    }
    if (file.thorough()) {
        checkRanges(file, store, k);
        checkFieldCount(file, fields, 9);
    }
    return whole;
}

} // namespace

int LoadAtrbtData(KanjiStore& store, const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    DataFileReader file(dataDir, attributefile::Format, sink);
    if (!file.isOpen())
        return -99;
    int k = 0;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#') || platform::firstByteIs(line, '$'))
            continue;
        if (k == AttributeSlots) {
            if (file.thorough())
                file.problem(0, "more than 1027 attribute records: the program stops reading before this one");
            break;
        }
        if (!readRecord(store, file, line, k) && !file.thorough())
            return -1;
        ++k;
    }
    if (file.thorough() && k < MaxKanji)
        file.fileProblem(std::to_string(k) + " attribute records for 1026 kanji");
    // A 1027th record fills the spare slot, which no window shows: nothing is shown wrongly.
    if (file.thorough() && k > MaxKanji)
        file.fileProblem(std::to_string(k) + " attribute records for 1026 kanji: the last one is read but never shown", true);
    return -1;
}

} // namespace sorban::data
