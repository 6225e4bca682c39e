#include "data/KanjiTexts.h"

#include "data/KanjiStore.h"
#include "platform/core/TextCodec.h"

#include <algorithm>

namespace sorban::data {

using platform::utf8ToSjis;

const std::array<std::string, 6>& AttrHeading()
{
    static const std::array<std::string, 6> headings = {utf8ToSjis("配当学年"),   utf8ToSjis("画数"),   utf8ToSjis("部首"),
                                                        utf8ToSjis("[部首読み]"), utf8ToSjis("漢検級"), utf8ToSjis("成り立ち")};
    return headings;
}

const std::array<std::string, 6>& NaritachiLabel()
{
    static const std::array<std::string, 6> labels = {utf8ToSjis("－－"), utf8ToSjis("象形"), utf8ToSjis("指事"),
                                                      utf8ToSjis("会意"), utf8ToSjis("形声"), utf8ToSjis("国字")};
    return labels;
}

std::array<std::string, 6> attributeTexts(const KanjiStore& s, std::int32_t n)
{
    const bool known = KanjiStore::isKanjiNumber(n);
    const std::size_t slot = known ? static_cast<std::size_t>(n - 1) : 0;
    const std::int32_t grade = known ? s.HaitouNen[slot] : 0;
    const std::int32_t radical = known ? s.BushuNo[slot] : -1;
    const bool hasRadical = KanjiStore::isRadicalNumber(radical);
    const std::int32_t type = known ? s.NaritachiType[slot] : 0;
    return {grade >= 1 && grade <= 6 ? std::to_string(grade) + utf8ToSjis("年") : utf8ToSjis("☆☆"),
            std::to_string(known ? s.KakuSuu[slot] : 0) + utf8ToSjis("画"),
            hasRadical ? s.BushuName[static_cast<std::size_t>(radical)] : std::string(),
            hasRadical ? s.BushuYomi[static_cast<std::size_t>(radical)] : std::string(),
            std::to_string(11 - static_cast<std::int64_t>(grade)) + utf8ToSjis("級"),
            NaritachiLabel()[static_cast<std::size_t>(type >= 0 && type <= 5 ? type : 0)]};
}

int shownReadings(const KanjiStore& store, std::int32_t n)
{
    return std::clamp(KanjiStore::isKanjiNumber(n) ? store.YomiCount[static_cast<std::size_t>(n)] : 0, 0, 10);
}

} // namespace sorban::data
