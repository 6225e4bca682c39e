#include "handwriting/InkSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sorban::test {

using handwriting::Ink;
using handwriting::InkPoint;
using handwriting::Segment;
using handwriting::Stroke;

namespace {

struct Hand {
    float scale;
    float slant;
    float left;
    float top;
    InkPoint place(InkPoint p) const { return {left + (p.x + slant * (p.y - 0.5F)) * scale, top + p.y * scale}; }
};

// One stroke's points (in template units), its ends a little off and its line bowed and shaky.
std::vector<InkPoint> line(const Segment& s, std::mt19937& random)
{
    std::uniform_real_distribution<float> off(-0.05F, 0.05F);
    std::uniform_real_distribution<float> bow(-0.06F, 0.06F);
    std::normal_distribution<float> shake(0, 0.004F);
    const InkPoint a{s.start.x + off(random), s.start.y + off(random)};
    const InkPoint b{s.end.x + off(random), s.end.y + off(random)};
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float len = std::hypot(dx, dy);
    const float bend = bow(random);
    const int steps = std::max(2, static_cast<int>(len * 40));
    std::vector<InkPoint> out;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float side = bend * std::sin(std::numbers::pi_v<float> * t);
        const float nx = len > 0 ? -dy / len : 0;
        const float ny = len > 0 ? dx / len : 0;
        out.push_back({a.x + dx * t + nx * side + shake(random), a.y + dy * t + ny * side + shake(random)});
    }
    return out;
}

} // namespace

std::vector<Stroke> writtenBy(const handwriting::Template& t, Slip slip, std::mt19937& random, float pad)
{
    std::vector<std::vector<InkPoint>> lines;
    for (const Segment& s : t.strokes)
        lines.push_back(line(s, random));
    const std::size_t n = lines.size();
    std::uniform_int_distribution<std::size_t> pair(0, n >= 2 ? n - 2 : 0);
    if (n >= 2 && slip == Slip::Swapped) {
        const std::size_t i = pair(random);
        std::swap(lines[i], lines[i + 1]);
    } else if (n >= 2 && slip == Slip::LastMissing) {
        lines.pop_back();
    } else if (n >= 2 && slip == Slip::Joined) {
        const std::size_t i = pair(random);
        lines[i].insert(lines[i].end(), lines[i + 1].begin(), lines[i + 1].end());
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i + 1));
    }
    std::uniform_real_distribution<float> size(0.7F, 1.0F);
    std::uniform_real_distribution<float> slant(-0.2F, 0.2F);
    std::uniform_real_distribution<float> room(0, 1);
    Hand hand{size(random) * pad, slant(random), 0, 0};
    hand.left = room(random) * (pad - hand.scale);
    hand.top = room(random) * (pad - hand.scale);
    Ink ink(pad);
    for (const auto& l : lines) {
        const InkPoint first = hand.place(l.front());
        ink.begin(first.x, first.y);
        for (const InkPoint& p : l) {
            const InkPoint q = hand.place(p);
            ink.extend(q.x, q.y);
        }
        ink.end();
    }
    return ink.strokes();
}

} // namespace sorban::test
