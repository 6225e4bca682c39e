#include "JpegDecoder.h"

#include "RegularFile.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <memory>
#include <unistd.h>

namespace sorban::platform {
namespace {

// libjpeg's own error handler ends the process; this one jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr) {}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Kept apart from decodeJpeg so that no object with a destructor lives across the setjmp.
bool decodeInto(std::FILE* file, RgbPicture& picture)
{
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.image_width >= static_cast<JDIMENSION>(MaxPictureSide) || info.image_height >= static_cast<JDIMENSION>(MaxPictureSide)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW; // best quality rather than speed
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
    picture.rgb.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

std::optional<RgbPicture> decodeJpeg(const std::filesystem::path& file)
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
    if (!decodeInto(in.get(), picture))
        return std::nullopt;
    return picture;
}

} // namespace sorban::platform
