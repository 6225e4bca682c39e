#pragma once

#include <string>

namespace sorban::data {

/// The folder of the stroke-order pictures, beside kdata/.
inline constexpr const char* PictureFolder = "hitudata";

/// "h", the kanji number, the kanji (given in Shift-JIS) and ".jpg": a stroke-order picture's file
/// name, in UTF-8 as the file system has it.
std::string pictureFileName(int kanjiNumber, const std::string& kanjiSjis);

} // namespace sorban::data
