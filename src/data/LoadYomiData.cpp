#include "data/AppearanceFile.h"
#include "data/AppearanceText.h"
#include "data/FieldChecks.h"
#include "data/MainDataFiles.h"
#include "data/RadicalFile.h"
#include "data/ReadingFile.h"
#include "platform/core/DataFields.h"
#include "platform/core/TextCodec.h"

#include <array>
#include <map>
#include <string>

namespace sorban::data {
namespace {

using platform::FieldCursor;
using platform::ProblemBox;

// What a thorough reading of the reading file keeps to judge each record against the others.
struct ReadingOrder {
    std::array<int, KanjiSlots> lineOf{}; // the line each kanji number stood on
    std::map<std::string, std::int32_t> numberOf;
    std::int32_t previous = 0;
    std::int32_t running = 0;
    int kanji = 0;
};

void checkKanji(DataFileReader& file, std::int32_t n, std::string_view kanji, ReadingOrder& order)
{
    const std::string number = std::to_string(n);
    if (!KanjiStore::isKanjiNumber(n))
        file.problem(1, "kanji number " + number + " is outside 1 to 1026");
    else if (order.lineOf[static_cast<std::size_t>(n)] != 0)
        file.problem(1, "kanji number " + number + " stands already on line " + std::to_string(order.lineOf[static_cast<std::size_t>(n)]));
    else if (n != order.previous + 1)
        file.problem(1, "readings out of kanji order: kanji " + number + " follows kanji " + std::to_string(order.previous));
    if (KanjiStore::isKanjiNumber(n) && order.lineOf[static_cast<std::size_t>(n)] == 0) {
        order.lineOf[static_cast<std::size_t>(n)] = file.line();
        ++order.kanji;
    }
    order.previous = n;
    const bool oneCharacter = kanji.size() == 2 && platform::isSjisLeadByte(static_cast<unsigned char>(kanji[0])) && isShiftJis(kanji);
    if (!oneCharacter)
        file.problem(2, "kanji text \"" + platform::sjisToUtf8(kanji) + "\" is not one double-byte character");
    else if (const auto [at, added] = order.numberOf.emplace(std::string(kanji), n); !added)
        file.problem(2, "kanji " + platform::sjisToUtf8(kanji) + " is kanji " + std::to_string(at->second) + " already");
}

void checkCounts(DataFileReader& file, std::int32_t count, std::int32_t total, ReadingOrder& order)
{
    if (count < -1)
        file.problem(3, "reading count " + std::to_string(count) + " is negative");
    order.running += std::max(count, 0);
    if (total != -1 && total != order.running)
        file.problem(4, "running total " + std::to_string(total) + " disagrees with the counts, which add up to "
                            + std::to_string(order.running));
}

// One record; false when a field error ended it (and, for the program, the loading). A thorough
// reader goes on through the record to find what else it holds.
bool readReadingRecord(KanjiStore& store, DataFileReader& file, std::string_view line, int& reading, ReadingOrder& order)
{
    using namespace readingfile;
    const bool thorough = file.thorough();
    FieldCursor fields(line);
    std::int32_t n = 0;
    bool whole = takeInteger(file, fields, 1, n, [] { return FieldError{"kanji number", {fieldErrorBox(NumberError)}}; });
    if (!whole && !thorough)
        return false;
    // A kanji number with no slot keeps its readings (they stay aligned with the other files'
    // records) but stores nothing by number.
    const bool hasSlot = whole && KanjiStore::isKanjiNumber(n);
    const std::string_view kanji = fields.take();
    if (hasSlot)
        store.KanjiText[static_cast<std::size_t>(n)] = kanji;
    if (thorough && whole)
        checkKanji(file, n, kanji, order);
    std::int32_t count = 0;
    if (!takeInteger(file, fields, 3, count, [] { return FieldError{"reading count", {fieldErrorBox(CountError)}}; })) {
        if (!thorough)
            return false;
        whole = false;
    }
    if (hasSlot)
        store.YomiCount[static_cast<std::size_t>(n)] = count;
    std::int32_t total = 0;
    const bool totalRead = takeInteger(file, fields, 4, total, [] { return FieldError{"running total", {fieldErrorBox(TotalError)}}; });
    if (thorough)
        checkCounts(file, count, totalRead ? total : -1, order);
    if (!totalRead) {
        if (!thorough)
            return false;
        whole = false;
    }
    if (hasSlot)
        store.YomiTotal[static_cast<std::size_t>(n)] = total;
    for (std::int32_t i = 0; i < count && reading < ReadingSlots; ++i) {
        const std::string_view text = fields.take();
        if (file.thorough() && fields.ranOut())
            file.problem(FirstReadingField + i,
                         "reading " + std::to_string(i + 1) + " of " + std::to_string(count) + " has no comma after it: it reads as empty");
        else if (file.thorough() && text.empty())
            file.problem(FirstReadingField + i, "reading " + std::to_string(i + 1) + " is empty");
        if (file.thorough())
            file.recorded(reading, kanji, text);
        store.YomiText[static_cast<std::size_t>(reading++)] = text;
    }
    return whole;
}

// Returns false when a field error ended the loading; a thorough reader reports it and reads on.
bool readReadings(KanjiStore& store, DataFileReader& file)
{
    int reading = 0;
    ReadingOrder order;
    bool whole = true;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#') || platform::firstByteIs(line, '$'))
            continue;
        if (!readReadingRecord(store, file, line, reading, order)) {
            whole = false;
            if (!file.thorough())
                return false;
        }
    }
    if (file.thorough()) {
        if (order.kanji != MaxKanji)
            file.fileProblem(std::to_string(order.kanji) + " kanji; the program expects 1026");
        if (order.running > ReadingSlots)
            file.fileProblem(std::to_string(order.running) + " readings; the program holds 2450");
    }
    return whole;
}

// The labels of a header line: fields 5, 7, ... 15, each taken whole.
void readHeader(KanjiStore& store, DataFileReader& file, std::string_view line)
{
    FieldCursor fields(line);
    fields.skip(appearancefile::FirstLabelField - 1);
    bool lost = false;
    for (auto& label : store.ColumnLabel) {
        label = fields.take();
        lost = lost || fields.ranOut();
        fields.skip(1);
    }
    if (file.thorough() && lost)
        file.problem(0, "header line has fewer than 15 comma-terminated fields: the column labels past its last comma are empty");
}

bool readAppearanceRecord(KanjiStore& store, DataFileReader& file, std::string_view line, int k)
{
    using namespace appearancefile;
    FieldCursor fields(line);
    fields.skip(1); // the reading's number
    const std::string_view kanji = fields.take();
    const std::string_view reading = fields.take();
    fields.skip(1);
    if (file.thorough())
        file.recorded(k, kanji, reading);
    bool whole = true;
    AprRow& record = store.AprRecord[static_cast<std::size_t>(k)];
    for (int index = 0; index < static_cast<int>(record.size()); ++index) {
        const int column = index / 2 + 1;
        std::int32_t value = 0;
        if (index + 1 == static_cast<int>(record.size())) {
            value = platform::intOr(fields.take(), -1); // column 6's page: -1 is stored, not reported
            if (file.thorough() && value == -1)
                file.problem(FirstPairField + index, "a page of -1 in column 6: the program stores it silently");
        } else {
            const auto error = [&] {
                std::string what = "column " + std::to_string(column) + (index % 2 == 0 ? " appearance code" : " page");
                if (index == 0)
                    return FieldError{std::move(what), {{std::to_string(k), FirstCodeCaption}, {FirstCodeText, FirstCodeSecondCaption}}};
                return FieldError{std::move(what), {fieldErrorBox(index == 1 ? std::string(FirstPageError) : pairError(index))}};
            };
            if (!takeInteger(file, fields, FirstPairField + index, value, error)) {
                if (!file.thorough())
                    return false; // the values stored before it stay
                whole = false;
                continue;
            }
        }
        record[static_cast<std::size_t>(index)] = value;
        if (file.thorough() && index % 2 == 0 && value != 0 && !isValidAppearanceCode(value))
            file.problem(FirstPairField + index, "invalid appearance code " + std::to_string(value) + " in column " + std::to_string(column)
                                                     + " (shown as －－－; 0 marks no appearance)");
    }
    checkFieldCount(file, fields, FirstPairField + 11);
    return whole;
}

bool readAppearances(KanjiStore& store, DataFileReader& file)
{
    int k = 0;
    bool whole = true;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#')) {
            readHeader(store, file, line);
            continue;
        }
        if (platform::firstByteIs(line, '$')) {
            store.AprNote = readNote(file, line);
            continue;
        }
        if (k >= ReadingSlots) {
            ++k; // no reading can own this record
            continue;
        }
        if (!readAppearanceRecord(store, file, line, k)) {
            whole = false;
            if (!file.thorough())
                return false;
        }
        ++k;
    }
    if (file.thorough() && k > ReadingSlots)
        file.fileProblem(std::to_string(k) + " appearance records; the program holds 2450");
    return whole;
}

void readRadicals(KanjiStore& store, DataFileReader& file)
{
    int r = 0;
    std::string_view line;
    while (file.next(line)) {
        if (platform::firstByteIs(line, '#'))
            continue;
        if (r == RadicalSlots) {
            if (file.thorough())
                file.problem(0, "more than 200 radicals: the program reads no further");
            break;
        }
        FieldCursor fields(line);
        fields.skip(1);
        store.BushuName[static_cast<std::size_t>(r)] = fields.take();
        store.BushuYomi[static_cast<std::size_t>(r)] = fields.take();
        if (file.thorough())
            file.recorded(r, store.BushuName[static_cast<std::size_t>(r)], store.BushuYomi[static_cast<std::size_t>(r)]);
        if (file.thorough() && (line.empty() || line == "\n"))
            file.problem(0, "empty line: it becomes a radical of its own and shifts the numbers of all later radicals");
        else
            checkFieldCount(file, fields, 3);
        ++r;
    }
}

} // namespace

int LoadYomiData(KanjiStore& store, const std::filesystem::path& dataDir, platform::ProblemSink& sink)
{
    // The program stops at the first missing file or field error; a thorough reading goes on to
    // the next file, to find what that holds too.
    const bool thorough = sink.thorough();
    bool whole = true;
    {
        DataFileReader file(dataDir, readingfile::Format, sink);
        whole = file.isOpen() && readReadings(store, file);
        if (!whole && !thorough)
            return -1;
    }
    {
        DataFileReader file(dataDir, appearancefile::Format, sink);
        whole = file.isOpen() && readAppearances(store, file) && whole;
        if (!whole && !thorough)
            return -1;
    }
    DataFileReader file(dataDir, radicalfile::Format, sink);
    if (!file.isOpen())
        return -99;
    readRadicals(store, file);
    return whole ? 1 : -1;
}

} // namespace sorban::data
