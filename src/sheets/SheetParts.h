#pragma once

#include <QFont>
#include <QImage>

#include <filesystem>
#include <optional>

namespace sorban::sheets {

/// Every sheet is laid out in tenths of a millimetre on an A4 portrait page.
inline constexpr double PageWidth = 2100;
inline constexpr double PageHeight = 2970;

/// The sheets' text font, the windows' gothic face, `units` tenths of a millimetre high.
QFont sheetFont(double units);

/// A stroke-order picture, or nothing where there is none or it does not decode.
std::optional<QImage> strokeOrderPicture(const std::filesystem::path& file);

} // namespace sorban::sheets
