#include "handwriting/Ink.h"

#include <algorithm>
#include <cmath>

namespace sorban::handwriting {
namespace {

constexpr float FirstSpacing = 1.5F; // pad units: finer than a hand can mean

float distance(InkPoint a, InkPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

InkPoint Ink::clipped(float x, float y) const
{
    // A point that is no number at all goes to the pad's corner rather than into the arithmetic.
    const auto clip = [this](float v) { return std::isfinite(v) ? std::clamp(v, 0.0F, m_size) : 0.0F; };
    return {clip(x), clip(y)};
}

bool Ink::begin(float x, float y)
{
    if (m_writing)
        end();
    if (m_strokes.size() >= MaxStrokes)
        return false;
    m_last = clipped(x, y);
    m_strokes.push_back({m_last});
    m_spacing = FirstSpacing;
    m_writing = true;
    return true;
}

void Ink::extend(float x, float y)
{
    if (!m_writing)
        return;
    Stroke& s = m_strokes.back();
    const InkPoint p = clipped(x, y);
    m_last = p;
    if (distance(s.back(), p) < m_spacing)
        return;
    s.push_back(p);
    if (s.size() < MaxPoints)
        return;
    // Every other point goes, the ends stay; later points come at twice the spacing.
    Stroke kept;
    kept.reserve(MaxPoints / 2 + 1);
    for (std::size_t i = 0; i < s.size(); i += 2)
        kept.push_back(s[i]);
    if (s.size() % 2 == 0)
        kept.push_back(s.back());
    s = std::move(kept);
    m_spacing *= 2;
}

bool Ink::end()
{
    if (!m_writing)
        return false;
    // The stroke ends where the pen left the pad, however close to the last point kept.
    Stroke& s = m_strokes.back();
    if (s.size() > 1 || distance(s.back(), m_last) >= FirstSpacing)
        if (s.back().x != m_last.x || s.back().y != m_last.y)
            s.push_back(m_last);
    m_writing = false;
    return true;
}

bool Ink::undo()
{
    if (m_strokes.empty())
        return false;
    m_strokes.pop_back();
    m_writing = false;
    return true;
}

void Ink::clear()
{
    m_strokes.clear();
    m_writing = false;
}

} // namespace sorban::handwriting
