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

/// Decodes a JPEG file with libjpeg (best quality, colour output). A file that is missing, empty,
/// truncated, not a JPEG, or too large yields nothing; no error ends the program.
std::optional<RgbPicture> decodeJpeg(const std::filesystem::path& file);

} // namespace sorban::platform
