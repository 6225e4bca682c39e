#include "lessons/NewReadings.h"

#include "data/KanjiStore.h"
#include "data/VolumeOrder.h"
#include "jukuji/JukujiTables.h"

#include <algorithm>
#include <tuple>

namespace sorban::lessons {
namespace {

constexpr int Columns = data::Columns;

// Earlier in the column: a lower volume, then a lower page, then the reading that comes first.
bool earlier(int rank, std::int32_t page, std::int32_t index, int otherRank, std::int32_t otherPage, std::int32_t otherIndex)
{
    return std::tie(rank, page, index) < std::tie(otherRank, otherPage, otherIndex);
}

} // namespace

FirstAppearances::FirstAppearances(const data::KanjiStore& store, const jukuji::JukujiTables& jukuji) : m_firstOfKanji(data::KanjiSlots)
{
    for (std::int32_t n = 1; n <= data::MaxKanji; ++n) {
        const std::int64_t first = store.FirstYomi(n);
        for (std::int64_t k = 0; k < store.YomiCount[static_cast<std::size_t>(n)]; ++k) {
            if (!data::KanjiStore::isReadingIndex(first + k))
                break;
            const auto index = static_cast<std::int32_t>(first + k);
            const data::AprRow& record = store.AprRecord[static_cast<std::size_t>(index)];
            Reading& reading = m_readings.emplace_back(Reading{n, index, {}, {}});
            for (int c = 0; c < Columns; ++c) {
                const auto col = static_cast<std::size_t>(c);
                reading.code[col] = record[2 * col];
                reading.page[col] = record[2 * col + 1];
                const int rank = data::volumeRank(reading.code[col]);
                First& known = m_firstOfKanji[static_cast<std::size_t>(n)][col];
                if (rank >= 0 && (known.rank < 0 || earlier(rank, reading.page[col], index, known.rank, known.page, known.index)))
                    known = {rank, reading.code[col], reading.page[col], index};
            }
        }
    }
    for (std::size_t row = 0; row < jukuji.word.size(); ++row) {
        if (jukuji.word[row].empty())
            continue;
        auto& codes = m_wordCode.emplace_back();
        auto& pages = m_wordPage.emplace_back();
        for (std::size_t col = 0; col < static_cast<std::size_t>(Columns); ++col) {
            codes[col] = jukuji.appearance[row][col].code;
            pages[col] = jukuji.appearance[row][col].page;
        }
        m_wordRows.push_back(static_cast<std::int32_t>(row));
    }
}

std::vector<NewReading> FirstAppearances::newIn(int col, std::int32_t code) const
{
    std::vector<NewReading> rows;
    if (col < 0 || col >= Columns || data::volumeRank(code) < 0)
        return rows;
    const auto c = static_cast<std::size_t>(col);
    for (const Reading& r : m_readings) {
        if (r.code[c] != code)
            continue;
        const First& first = m_firstOfKanji[static_cast<std::size_t>(r.kanji)][c];
        const bool isFirst = first.index == r.index;
        rows.push_back({r.page[c], r.kanji, r.index, isFirst ? Novelty::NewKanji : Novelty::NewReading, isFirst ? 0 : first.code,
                        isFirst ? 0 : first.page});
    }
    for (std::size_t w = 0; w < m_wordRows.size(); ++w)
        if (m_wordCode[w][c] == code)
            rows.push_back({m_wordPage[w][c], 0, m_wordRows[w], Novelty::Jukujikun, 0, 0});
    std::stable_sort(rows.begin(), rows.end(), [](const NewReading& a, const NewReading& b) {
        const auto key = [](const NewReading& r) { return std::tuple(r.page, r.kanji == 0 ? data::KanjiSlots : r.kanji, r.reading); };
        return key(a) < key(b);
    });
    return rows;
}

VolumeTotals FirstAppearances::totals(int col, std::int32_t code) const
{
    VolumeTotals totals;
    if (col < 0 || col >= Columns)
        return totals;
    const auto c = static_cast<std::size_t>(col);
    const int until = data::volumeRank(code);
    for (const Reading& r : m_readings) {
        if (r.code[c] == code && until >= 0)
            ++(m_firstOfKanji[static_cast<std::size_t>(r.kanji)][c].index == r.index ? totals.newKanji : totals.newReadings);
        totals.readingsMet += data::metBy(r.code[c], code);
    }
    for (const auto& codes : m_wordCode)
        totals.jukujikun += until >= 0 && codes[c] == code;
    for (const auto& first : m_firstOfKanji)
        totals.kanjiMet += first[c].rank >= 0 && first[c].rank <= until;
    return totals;
}

std::vector<std::int32_t> FirstAppearances::kanjiIn(int col, std::int32_t code, bool newReadingsToo) const
{
    std::vector<std::int32_t> kanji;
    for (const NewReading& row : newIn(col, code))
        if ((row.novelty == Novelty::NewKanji || (newReadingsToo && row.novelty == Novelty::NewReading))
            && std::find(kanji.begin(), kanji.end(), row.kanji) == kanji.end())
            kanji.push_back(row.kanji);
    return kanji;
}

bool FirstAppearances::hasData(int col) const
{
    return std::any_of(data::VolumeCodes, std::end(data::VolumeCodes), [&](std::int32_t code) { return hasVolume(col, code); });
}

bool FirstAppearances::hasVolume(int col, std::int32_t code) const
{
    if (col < 0 || col >= Columns || data::volumeRank(code) < 0)
        return false;
    const auto c = static_cast<std::size_t>(col);
    return std::any_of(m_readings.begin(), m_readings.end(), [&](const Reading& r) { return r.code[c] == code; })
           || std::any_of(m_wordCode.begin(), m_wordCode.end(), [&](const auto& codes) { return codes[c] == code; });
}

} // namespace sorban::lessons
