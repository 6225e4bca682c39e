#include "data/KanjiStore.h"

#include "platform/core/TextCodec.h"

namespace sorban::data {

const std::array<std::string, Columns>& KanjiStore::defaultColumnLabels()
{
    static const std::array<std::string, Columns> labels = {
        platform::utf8ToSjis("光村"), platform::utf8ToSjis("東書"), platform::utf8ToSjis("教出"),
        platform::utf8ToSjis("学図"), platform::utf8ToSjis("三省"), platform::utf8ToSjis("････"),
    };
    return labels;
}

KanjiStore::KanjiStore() : ColumnLabel(defaultColumnLabels())
{}

std::int32_t KanjiStore::FirstYomi(std::int32_t n) const
{
    if (!isKanjiNumber(n))
        return -1;
    return n == 1 ? 0 : YomiTotal[n - 1];
}

std::optional<std::int32_t> KanjiStore::FindKanji(std::string_view text) const
{
    for (std::int32_t slot = 0; slot < KanjiSlots; ++slot)
        if (KanjiText[slot] == text)
            return slot;
    return std::nullopt;
}

} // namespace sorban::data
