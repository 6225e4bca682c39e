#include "handwriting/Zinnia.h"

#include <algorithm>
#include <cmath>
#include <dlfcn.h>
#include <filesystem>
#include <zinnia.h>

namespace sorban::handwriting {
namespace {

// The recogniser's cost grows steeply with the corners of a stroke (a scribble of a hundred points
// takes it seconds), while its features need only the few that a kanji's stroke has.
constexpr float Tolerance = 0.02F;      // of the pad: a bend smaller than this is no corner
constexpr std::size_t MostPoints = 8;   // of a stroke
constexpr std::size_t MostStrokes = 24; // more than any kanji of the program has, with some to spare

float offLine(InkPoint p, InkPoint a, InkPoint b)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float len = std::hypot(dx, dy);
    return len > 0 ? std::fabs(dx * (a.y - p.y) - dy * (a.x - p.x)) / len : std::hypot(p.x - a.x, p.y - a.y);
}

// The corners of a stroke (Ramer-Douglas-Peucker), no more than MostPoints: the tolerance grows until they fit.
Stroke corners(const Stroke& s, float tolerance)
{
    for (tolerance = std::max(tolerance, 0.5F);; tolerance *= 1.5F) {
        std::vector<char> keep(s.size(), 0);
        keep.front() = keep.back() = 1;
        std::vector<std::pair<std::size_t, std::size_t>> spans{{0, s.size() - 1}};
        while (!spans.empty()) {
            const auto [from, to] = spans.back();
            spans.pop_back();
            std::size_t far = from;
            float most = tolerance;
            for (std::size_t i = from + 1; i < to; ++i) {
                const float d = offLine(s[i], s[from], s[to]);
                if (d > most) {
                    most = d;
                    far = i;
                }
            }
            if (far != from) {
                keep[far] = 1;
                spans.emplace_back(from, far);
                spans.emplace_back(far, to);
            }
        }
        Stroke out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (keep[i] != 0)
                out.push_back(s[i]);
        }
        if (out.size() <= MostPoints)
            return out;
    }
}

} // namespace

struct Zinnia::Api {
    void* library = nullptr;
    zinnia_recognizer_t* recognizer = nullptr;
    zinnia_character_t* character = nullptr;
    decltype(&zinnia_recognizer_new) newRecognizer = nullptr;
    decltype(&zinnia_recognizer_open) open = nullptr;
    decltype(&zinnia_recognizer_destroy) destroyRecognizer = nullptr;
    decltype(&zinnia_recognizer_classify) classify = nullptr;
    decltype(&zinnia_character_new) newCharacter = nullptr;
    decltype(&zinnia_character_destroy) destroyCharacter = nullptr;
    decltype(&zinnia_character_clear) clear = nullptr;
    decltype(&zinnia_character_set_width) setWidth = nullptr;
    decltype(&zinnia_character_set_height) setHeight = nullptr;
    decltype(&zinnia_character_add) add = nullptr;
    decltype(&zinnia_result_size) resultSize = nullptr;
    decltype(&zinnia_result_value) resultValue = nullptr;
    decltype(&zinnia_result_score) resultScore = nullptr;
    decltype(&zinnia_result_destroy) destroyResult = nullptr;

    template <typename F>
    bool bind(F& f, const char* name)
    {
        f = reinterpret_cast<F>(dlsym(library, name));
        return f != nullptr;
    }
    bool bindAll()
    {
        return bind(newRecognizer, "zinnia_recognizer_new") && bind(open, "zinnia_recognizer_open")
               && bind(destroyRecognizer, "zinnia_recognizer_destroy") && bind(classify, "zinnia_recognizer_classify")
               && bind(newCharacter, "zinnia_character_new") && bind(destroyCharacter, "zinnia_character_destroy")
               && bind(clear, "zinnia_character_clear") && bind(setWidth, "zinnia_character_set_width")
               && bind(setHeight, "zinnia_character_set_height") && bind(add, "zinnia_character_add")
               && bind(resultSize, "zinnia_result_size") && bind(resultValue, "zinnia_result_value")
               && bind(resultScore, "zinnia_result_score") && bind(destroyResult, "zinnia_result_destroy");
    }
    ~Api()
    {
        if (character != nullptr)
            destroyCharacter(character);
        if (recognizer != nullptr)
            destroyRecognizer(recognizer);
        if (library != nullptr)
            dlclose(library);
    }
};

std::unique_ptr<Zinnia> Zinnia::load(const RecogniserSetup& setup, QString& problem)
{
    auto api = std::make_unique<Api>();
    api->library = dlopen(setup.library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (api->library == nullptr || !api->bindAll()) {
        problem = QStringLiteral("手書き認識の zinnia が読み込めません（パッケージ %1 が必要です）。").arg(setup.libraryPackage);
        return nullptr;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(setup.model, ignored)) {
        problem = QStringLiteral("手書き認識のモデルがありません（パッケージ %1 が必要です）。").arg(setup.modelPackage);
        return nullptr;
    }
    api->recognizer = api->newRecognizer();
    api->character = api->newCharacter();
    if (api->recognizer == nullptr || api->character == nullptr || api->open(api->recognizer, setup.model.c_str()) == 0) {
        problem = QStringLiteral("手書き認識のモデルが読み込めません（パッケージ %1 を入れ直してください）。").arg(setup.modelPackage);
        return nullptr;
    }
    return std::unique_ptr<Zinnia>(new Zinnia(std::move(api)));
}

Zinnia::Zinnia(std::unique_ptr<Api> api) : m_api(std::move(api))
{}

Zinnia::~Zinnia() = default;

std::vector<Guess> Zinnia::classify(const std::vector<Stroke>& strokes, float size, std::size_t count) const
{
    Api& a = *m_api;
    a.clear(a.character);
    const auto side = static_cast<std::size_t>(std::lround(size));
    a.setWidth(a.character, side);
    a.setHeight(a.character, side);
    std::vector<Guess> out;
    if (strokes.size() > MostStrokes)
        return out;
    std::size_t id = 0;
    for (const Stroke& s : strokes) {
        if (s.empty())
            continue;
        for (const InkPoint& p : corners(s, Tolerance * size))
            a.add(a.character, id, static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
        ++id;
    }
    if (id == 0)
        return out;
    zinnia_result_t* result = a.classify(a.recognizer, a.character, count);
    if (result == nullptr)
        return out;
    for (std::size_t i = 0; i < a.resultSize(result); ++i) {
        const QString value = QString::fromUtf8(a.resultValue(result, i));
        if (!value.isEmpty())
            out.push_back({value.toUcs4().constFirst(), a.resultScore(result, i)});
    }
    a.destroyResult(result);
    return out;
}

} // namespace sorban::handwriting
