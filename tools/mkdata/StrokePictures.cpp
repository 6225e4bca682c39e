#include "mkdata/StrokePictures.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <jpeglib.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace mkdata {

struct StrokePictures::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

StrokePictures::StrokePictures(const std::filesystem::path& font) : m_impl(std::make_unique<Impl>())
{
    if (FT_Init_FreeType(&m_impl->library) != 0)
        throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(m_impl->library, font.c_str(), 0, &m_impl->face) != 0)
        throw std::runtime_error("cannot load the stroke-order font " + font.string());
    // The glyph fills about nine tenths of the picture, leaving a white margin.
    if (FT_Set_Pixel_Sizes(m_impl->face, 0, Size * 9 / 10) != 0)
        throw std::runtime_error("the stroke-order font has no scalable outlines");
}

StrokePictures::~StrokePictures()
{
    if (m_impl->face)
        FT_Done_Face(m_impl->face);
    if (m_impl->library)
        FT_Done_FreeType(m_impl->library);
}

bool StrokePictures::hasGlyph(char32_t kanji) const
{
    return FT_Get_Char_Index(m_impl->face, kanji) != 0;
}

void StrokePictures::write(char32_t kanji, const std::filesystem::path& file) const
{
    if (FT_Load_Char(m_impl->face, kanji, FT_LOAD_RENDER) != 0)
        throw std::runtime_error("cannot render a kanji with the stroke-order font");
    const FT_Bitmap& glyph = m_impl->face->glyph->bitmap;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(Size) * Size * 3, 255);
    const int left = (Size - static_cast<int>(glyph.width)) / 2;
    const int top = (Size - static_cast<int>(glyph.rows)) / 2;
    for (unsigned y = 0; y < glyph.rows; ++y) {
        for (unsigned x = 0; x < glyph.width; ++x) {
            const int px = left + static_cast<int>(x);
            const int py = top + static_cast<int>(y);
            if (px < 0 || py < 0 || px >= Size || py >= Size)
                continue;
            const unsigned char ink = glyph.buffer[static_cast<std::size_t>(y) * static_cast<std::size_t>(glyph.pitch) + x];
            for (int c = 0; c < 3; ++c)
                rgb[(static_cast<std::size_t>(py) * Size + static_cast<std::size_t>(px)) * 3 + static_cast<std::size_t>(c)] =
                    static_cast<unsigned char>(255 - ink);
        }
    }

    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = Size;
    cinfo.image_height = Size;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &rgb[static_cast<std::size_t>(cinfo.next_scanline) * Size * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::fclose(out) != 0)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace mkdata
