#pragma once

#include <cstddef>
#include <vector>

namespace sorban::handwriting {

/// A point of a stroke in the writing pad's own units (0 to the pad's size).
struct InkPoint {
    float x = 0;
    float y = 0;
};

using Stroke = std::vector<InkPoint>;

/// The strokes written on a square pad. Points are clipped to the pad and thinned as they come,
/// so that no device, however eager, makes a stroke the recognisers cannot take at once.
class Ink {
public:
    static constexpr std::size_t MaxStrokes = 40;
    static constexpr std::size_t MaxPoints = 256; // of one stroke; past that its points are halved

    explicit Ink(float size) : m_size(size) {}

    /// Starts a stroke; refused (false) once the pad holds MaxStrokes.
    bool begin(float x, float y);
    /// Adds a point to the stroke being written; nothing while no stroke is.
    void extend(float x, float y);
    /// Ends the stroke being written; true when a stroke was being written.
    bool end();
    bool writing() const { return m_writing; }

    /// Takes back the last stroke (the one being written first); false when the pad is empty.
    bool undo();
    void clear();

    const std::vector<Stroke>& strokes() const { return m_strokes; }
    bool empty() const { return m_strokes.empty(); }

private:
    InkPoint clipped(float x, float y) const;

    float m_size;
    float m_spacing = 0; // the least distance between two kept points of the current stroke
    InkPoint m_last;     // the current stroke's latest point, kept or not
    bool m_writing = false;
    std::vector<Stroke> m_strokes;
};

} // namespace sorban::handwriting
