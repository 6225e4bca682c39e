#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace sorban::platform {

/// A decoded picture: 24-bit colour, three bytes (red, green, blue) a pixel, rows top to bottom.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

/// Pictures this large or larger in either direction are refused rather than decoded.
inline constexpr int MaxPictureSide = 10000;

/// Decodes a JPEG file with libjpeg (best quality, colour output): RGB, greyscale, and CMYK or
/// YCCK (Adobe's inverted CMYK too), all given as RGB. Only the top-left `maxWidth` × `maxHeight`
/// pixels are decoded and returned, and the rest of the file is not read: a tiny file that claims
/// a huge picture costs no more than what can be shown. A file that is missing, no regular file,
/// empty, cut short, not a JPEG, too large, or one that needs more than 64 MiB to decode yields
/// nothing; no error ends the program.
std::optional<RgbPicture> decodeJpeg(const std::filesystem::path& file, int maxWidth = MaxPictureSide, int maxHeight = MaxPictureSide);

} // namespace sorban::platform
