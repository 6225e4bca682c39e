#include "sheets/SheetParts.h"

#include "platform/core/JpegDecoder.h"
#include "platform/widgets/FormStyle.h"

namespace sorban::sheets {

QFont sheetFont(double units)
{
    QFont font(platform::installedFamily(platform::faces::PGothic));
    font.setPixelSize(static_cast<int>(units));
    return font;
}

std::optional<QImage> strokeOrderPicture(const std::filesystem::path& file)
{
    if (file.empty())
        return std::nullopt;
    const std::optional<platform::RgbPicture> picture = platform::decodeJpeg(file);
    if (!picture)
        return std::nullopt;
    return QImage(picture->rgb.data(), picture->width, picture->height, static_cast<qsizetype>(picture->width) * 3, QImage::Format_RGB888)
        .copy();
}

} // namespace sorban::sheets
