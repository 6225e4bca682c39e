#pragma once

#include <QFont>
#include <QImage>

#include <filesystem>
#include <optional>

namespace sorban::sheets {

/// The sheets' text font, the windows' gothic face, `units` tenths of a millimetre high.
QFont sheetFont(double units);

/// A stroke-order picture, or nothing where there is none or it does not decode.
std::optional<QImage> strokeOrderPicture(const std::filesystem::path& file);

} // namespace sorban::sheets
