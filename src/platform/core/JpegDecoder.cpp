#include "platform/core/JpegDecoder.h"

#include "platform/core/RegularFile.h"

#include <jerror.h> // after jpeglib.h, which it needs
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace sorban::platform {
namespace {

// A progressive picture keeps all its coefficients while it decodes: a picture of the program's
// size needs well under 1 MiB, one that claims 10000 × 10000 pixels about 600 MiB.
constexpr long MemoryLimit = 64L * 1024 * 1024;

// libjpeg's own error handler ends the process; this one jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool cutShort = false;
};

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// A file whose picture data ends early (at the file's end or at a marker) would be shown half
// grey: it counts as broken. Other warnings leave a picture that can be shown.
void onMessage(j_common_ptr info, int level)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && (errors->base.msg_code == JWRN_JPEG_EOF || errors->base.msg_code == JWRN_HIT_MARKER))
        errors->cutShort = true;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// One decoded row, `width` pixels of `components` bytes, into three bytes a pixel.
void toRgb(const std::uint8_t* in, int width, int components, bool invertedCmyk, std::uint8_t* out)
{
    if (components == 3) {
        std::copy(in, in + std::ptrdiff_t{3} * width, out);
        return;
    }
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        // Adobe writes CMYK inverted: there a byte is the share of white left, not of ink.
        const int c = invertedCmyk ? in[0] : 255 - in[0];
        const int m = invertedCmyk ? in[1] : 255 - in[1];
        const int y = invertedCmyk ? in[2] : 255 - in[2];
        const int k = invertedCmyk ? in[3] : 255 - in[3];
        out[0] = static_cast<std::uint8_t>(c * k / 255);
        out[1] = static_cast<std::uint8_t>(m * k / 255);
        out[2] = static_cast<std::uint8_t>(y * k / 255);
    }
}

// Kept apart from decodeJpeg so that no object with a destructor lives across the setjmp.
bool decodeInto(std::FILE* file, int maxWidth, int maxHeight, RgbPicture& picture, std::vector<std::uint8_t>& row)
{
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MemoryLimit;
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.image_width >= static_cast<JDIMENSION>(MaxPictureSide) || info.image_height >= static_cast<JDIMENSION>(MaxPictureSide)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB; // greyscale comes out as RGB
    info.dct_method = JDCT_ISLOW;                     // best quality rather than speed
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);
    // Columns right of what can be shown are not decoded; the crop may keep a few more.
    if (info.output_width > static_cast<JDIMENSION>(maxWidth)) {
        JDIMENSION left = 0;
        JDIMENSION width = static_cast<JDIMENSION>(maxWidth);
        jpeg_crop_scanline(&info, &left, &width);
    }
    picture.width = std::min(static_cast<int>(info.output_width), maxWidth);
    picture.height = std::min(static_cast<int>(info.output_height), maxHeight);
    const int components = info.output_components;
    row.resize(static_cast<std::size_t>(info.output_width) * static_cast<std::size_t>(components));
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3);
    for (int y = 0; y < picture.height && !errors.cutShort; ++y) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        toRgb(row.data(), picture.width, components, info.saw_Adobe_marker,
              picture.rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) * 3);
    }
    // Rows below what can be shown are never read.
    jpeg_abort_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !errors.cutShort;
}

} // namespace

std::optional<RgbPicture> decodeJpeg(const std::filesystem::path& file, int maxWidth, int maxHeight)
{
    struct stat info {};
    const int fd = openRegularFile(file, info);
    if (fd < 0)
        return std::nullopt;
    std::unique_ptr<std::FILE, FileCloser> in(fdopen(fd, "rb"));
    if (!in) {
        close(fd);
        return std::nullopt;
    }
    RgbPicture picture;
    std::vector<std::uint8_t> row;
    if (maxWidth < 1 || maxHeight < 1 || !decodeInto(in.get(), maxWidth, maxHeight, picture, row))
        return std::nullopt;
    return picture;
}

} // namespace sorban::platform
