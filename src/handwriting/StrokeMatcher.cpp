#include "handwriting/StrokeMatcher.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace sorban::handwriting {
namespace {

constexpr std::size_t CountSlack = 2;  // strokes more or fewer than the kanji has
constexpr float Unpaired = 0.55F;      // a stroke left without a partner, plus half its length
constexpr float PerCountStep = 0.12F;  // each stroke more or fewer, on the mean cost
constexpr float Joined = 0.05F;        // two of the kanji's strokes written as one
constexpr float Left = 0.1F;           // one of the kanji's strokes left out
constexpr std::size_t SecondLook = 48; // the best of the first pass, tried again with a join or a stroke left out

float distance(InkPoint a, InkPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

float length(const Segment& s)
{
    return distance(s.start, s.end);
}

// The least total cost of pairing rows with columns of the square matrix `cost` (n x n, row by
// row): the Hungarian method with potentials.
float assignment(const std::vector<float>& cost, std::size_t n)
{
    constexpr float Inf = std::numeric_limits<float>::infinity();
    std::vector<float> u(n + 1, 0), v(n + 1, 0), minv(n + 1);
    std::vector<std::size_t> p(n + 1, 0), way(n + 1, 0);
    std::vector<char> used(n + 1);
    for (std::size_t i = 1; i <= n; ++i) {
        p[0] = i;
        std::size_t j0 = 0;
        std::fill(minv.begin(), minv.end(), Inf);
        std::fill(used.begin(), used.end(), 0);
        do {
            used[j0] = 1;
            const std::size_t i0 = p[j0];
            float delta = Inf;
            std::size_t j1 = 0;
            for (std::size_t j = 1; j <= n; ++j) {
                if (used[j] != 0)
                    continue;
                const float cur = cost[(i0 - 1) * n + (j - 1)] - u[i0] - v[j];
                if (cur < minv[j]) {
                    minv[j] = cur;
                    way[j] = j0;
                }
                if (minv[j] < delta) {
                    delta = minv[j];
                    j1 = j;
                }
            }
            for (std::size_t j = 0; j <= n; ++j) {
                if (used[j] != 0) {
                    u[p[j]] += delta;
                    v[j] -= delta;
                } else {
                    minv[j] -= delta;
                }
            }
            j0 = j1;
        } while (p[j0] != 0);
        do {
            const std::size_t j1 = way[j0];
            p[j0] = p[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    return -v[0];
}

// The mean cost of the best pairing of written strokes with a kanji's strokes, order aside.
float pairing(const std::vector<Segment>& written, const std::vector<Segment>& shape)
{
    const std::size_t n = std::max(written.size(), shape.size());
    std::vector<float> cost(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            float& c = cost[i * n + j];
            if (i < written.size() && j < shape.size())
                c = distance(written[i].start, shape[j].start) + distance(written[i].end, shape[j].end);
            else if (i < written.size())
                c = Unpaired + length(written[i]) / 2;
            else if (j < shape.size())
                c = Unpaired + length(shape[j]) / 2;
        }
    }
    const float steps = std::fabs(static_cast<float>(written.size()) - static_cast<float>(shape.size()));
    return assignment(cost, n) / static_cast<float>(n) + PerCountStep * steps;
}

// The kanji's strokes without stroke j.
std::vector<Segment> withoutStroke(const std::vector<Segment>& shape, std::size_t j)
{
    std::vector<Segment> out = shape;
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(j));
    return out;
}

// The kanji's strokes with strokes j and j + 1 written in one go, from the start of one to the end of the other.
std::vector<Segment> joinedAt(const std::vector<Segment>& shape, std::size_t j)
{
    std::vector<Segment> out(shape.begin(), shape.begin() + static_cast<std::ptrdiff_t>(j));
    out.push_back({shape[j].start, shape[j + 1].end});
    out.insert(out.end(), shape.begin() + static_cast<std::ptrdiff_t>(j + 2), shape.end());
    return out;
}

} // namespace

std::vector<Segment> normalised(std::vector<Segment> segments)
{
    if (segments.empty())
        return segments;
    InkPoint centre;
    for (const Segment& s : segments) {
        centre.x += s.start.x + s.end.x;
        centre.y += s.start.y + s.end.y;
    }
    const auto ends = static_cast<float>(2 * segments.size());
    centre = {centre.x / ends, centre.y / ends};
    float spread = 0;
    for (const Segment& s : segments)
        spread += std::pow(distance(s.start, centre), 2.0F) + std::pow(distance(s.end, centre), 2.0F);
    spread = std::sqrt(spread / ends);
    // A dot, or strokes all on one spot, keeps its size rather than growing without bound.
    const float scale = spread > 1e-3F ? 1 / spread : 1;
    for (Segment& s : segments) {
        s.start = {(s.start.x - centre.x) * scale, (s.start.y - centre.y) * scale};
        s.end = {(s.end.x - centre.x) * scale, (s.end.y - centre.y) * scale};
    }
    return segments;
}

StrokeMatcher::StrokeMatcher(std::vector<Template> templates) : m_templates(std::move(templates))
{
    m_shapes.reserve(m_templates.size());
    for (const Template& t : m_templates)
        m_shapes.push_back(normalised(t.strokes));
}

std::vector<StrokeMatcher::Match> StrokeMatcher::rank(const std::vector<Stroke>& strokes, std::size_t count) const
{
    std::vector<Segment> written;
    for (const Stroke& s : strokes) {
        if (!s.empty())
            written.push_back({s.front(), s.back()});
    }
    if (written.empty())
        return {};
    written = normalised(std::move(written));
    std::vector<Match> all;
    for (std::size_t t = 0; t < m_shapes.size(); ++t) {
        const std::size_t m = m_shapes[t].size();
        if (m + CountSlack >= written.size() && m <= written.size() + CountSlack)
            all.push_back({t, pairing(written, m_shapes[t])});
    }
    const auto better = [](const Match& a, const Match& b) { return a.cost < b.cost || (a.cost == b.cost && a.index < b.index); };
    // Where the writing has a stroke fewer than the kanji, its place and spread differ from the
    // kanji's: the best are compared again with two strokes joined, or with one left out.
    const std::size_t tried = std::min(all.size(), SecondLook);
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(tried), all.end(), better);
    for (std::size_t k = 0; k < tried; ++k) {
        const std::vector<Segment>& strokesOf = m_templates[all[k].index].strokes;
        if (strokesOf.size() != written.size() + 1)
            continue;
        for (std::size_t j = 0; j < strokesOf.size(); ++j) {
            all[k].cost = std::min(all[k].cost, pairing(written, normalised(withoutStroke(strokesOf, j))) + Left);
            if (j + 1 < strokesOf.size())
                all[k].cost = std::min(all[k].cost, pairing(written, normalised(joinedAt(strokesOf, j))) + Joined);
        }
    }
    const std::size_t kept = std::min(all.size(), count);
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(kept), all.end(), better);
    all.resize(kept);
    return all;
}

} // namespace sorban::handwriting
