#pragma once

#include "handwriting/Ink.h"

#include <cstdint>
#include <vector>

namespace sorban::handwriting {

/// A stroke as its start and its end.
struct Segment {
    InkPoint start;
    InkPoint end;
};

/// How a kanji is written: its strokes in order, as segments in a square of any size.
struct Template {
    char32_t kanji = 0;
    std::int32_t number = 0; // the kanji number
    std::vector<Segment> strokes;
};

/// The second opinion beside the trained recogniser: it pairs the written strokes with a kanji's
/// strokes by where they start and end, in whatever order they were written, and lets a stroke or
/// two be missing, extra or joined to the next. Read-only once made, so any thread may rank.
class StrokeMatcher {
public:
    struct Match {
        std::size_t index = 0; // into templates()
        float cost = 0;        // lower is better
    };

    explicit StrokeMatcher(std::vector<Template> templates);

    /// The `count` templates closest to `strokes`, best first.
    std::vector<Match> rank(const std::vector<Stroke>& strokes, std::size_t count) const;
    const std::vector<Template>& templates() const { return m_templates; }

private:
    std::vector<Template> m_templates;
    std::vector<std::vector<Segment>> m_shapes; // each template's strokes, normalised
};

/// Segments moved and scaled so that their ends' centre is at 0 and their spread is 1, which makes
/// the place and size of the writing irrelevant and keeps its proportions.
std::vector<Segment> normalised(std::vector<Segment> segments);

} // namespace sorban::handwriting
