#include "data/AppearanceText.h"

#include "data/VolumeOrder.h"
#include "platform/core/TextCodec.h"

namespace sorban::data {

const std::array<std::string, 19>& VolumeLabel()
{
    static const std::array<std::string, 19> labels = [] {
        const char* utf8[19] = {"--",   "１上", "１下", "２上", "２下", "３上", "３下", "４上", "４下", "５上",
                                "５下", "６上", "６下", "１年", "２年", "３年", "４年", "５年", "６年"};
        std::array<std::string, 19> out;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = platform::utf8ToSjis(utf8[i]);
        return out;
    }();
    return labels;
}

bool isValidAppearanceCode(std::int32_t code)
{
    return code >= 10 && code <= 62 && code % 10 <= 2;
}

std::string appearanceText(std::int32_t code, std::int32_t page)
{
    static const std::string none = platform::utf8ToSjis("－－－");
    static const std::string colon = platform::utf8ToSjis("：");
    if (!isValidAppearanceCode(code))
        return none;
    std::string text(1, ' '); // built by appending: GCC's -O3 sees a false overlap in " " + label
    text += volumeLabel(code);
    text += colon;
    text += std::to_string(page);
    return text;
}

} // namespace sorban::data
