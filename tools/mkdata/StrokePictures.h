#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace mkdata {

/// Draws kanji with the KanjiStrokeOrders font (numbered strokes) and writes them as JPEG files.
class StrokePictures {
public:
    explicit StrokePictures(const std::filesystem::path& font);
    ~StrokePictures();
    StrokePictures(const StrokePictures&) = delete;
    StrokePictures& operator=(const StrokePictures&) = delete;

    bool hasGlyph(char32_t kanji) const;

    /// Renders `kanji` black on white, Size x Size pixels, into `file`.
    void write(char32_t kanji, const std::filesystem::path& file) const;

    static constexpr int Size = 250;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace mkdata
