#include "data/PictureFile.h"

#include "platform/core/TextCodec.h"

namespace sorban::data {

std::string pictureFileName(int kanjiNumber, const std::string& kanjiSjis)
{
    std::string name(1, 'h');
    name += std::to_string(kanjiNumber);
    name += platform::sjisToUtf8(kanjiSjis);
    name += ".jpg";
    return name;
}

} // namespace sorban::data
