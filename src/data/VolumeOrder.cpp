#include "data/VolumeOrder.h"

#include "data/AppearanceText.h"

namespace sorban::data {

int volumeRank(std::int32_t code)
{
    if (!isValidAppearanceCode(code))
        return -1;
    return 2 * (code / 10) + (code % 10 == 1 ? 0 : 1);
}

bool metBy(std::int32_t code, std::int32_t volume)
{
    const int rank = volumeRank(code);
    return rank >= 0 && rank <= volumeRank(volume);
}

std::string volumeLabel(std::int32_t code)
{
    if (!isValidAppearanceCode(code))
        return {};
    const int grade = code / 10;
    const int part = code % 10;
    return VolumeLabel()[static_cast<std::size_t>(part == 1 ? 2 * grade - 1 : part == 2 ? 2 * grade : 12 + grade)];
}

} // namespace sorban::data
