#include "handwriting/Recogniser.h"

#include "data/KanjiStore.h"
#include "platform/core/TextCodec.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>

namespace sorban::handwriting {
namespace {

constexpr std::size_t TrainedAsked = 100; // the trained recogniser's guesses, most not education kanji
constexpr std::size_t MatchedAsked = 30;
constexpr float FusionRank = 1;       // a guess at rank r weighs 1 / (FusionRank + r)
constexpr float TrainedWeight = 0.5F; // against the matcher's 1
constexpr std::size_t SureRank = 3;   // an outsider the trained recogniser ranks this high is shown
constexpr float TemplateSide = 256;   // the side of the square the stroke ends are given in

// Han characters: an outsider shown greyed is a kanji, never a kana that looks like one (ロ for 口).
bool isHan(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F);
}

} // namespace

KanjiNumbers educationKanji(const data::KanjiStore& store)
{
    KanjiNumbers out;
    for (std::int32_t n = 1; n <= data::MaxKanji; ++n) {
        const QString k = QString::fromStdString(platform::sjisToUtf8(store.KanjiText[static_cast<std::size_t>(n)]));
        const QList<uint> u = k.toUcs4();
        if (u.size() == 1)
            out.emplace(u.constFirst(), n);
    }
    return out;
}

std::vector<Template> readTemplates(const std::string& path, const KanjiNumbers& education)
{
    QFile file(QString::fromStdString(path));
    const QJsonDocument doc = file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()) : QJsonDocument();
    std::vector<Template> out;
    const QJsonObject counts = doc.object();
    for (auto c = counts.begin(); c != counts.end(); ++c) {
        const QJsonObject kanji = c.value().toObject();
        for (auto k = kanji.begin(); k != kanji.end(); ++k) {
            const QList<uint> u = k.key().toUcs4();
            const auto known = u.size() == 1 ? education.find(u.constFirst()) : education.end();
            if (known == education.end())
                continue;
            Template t{known->first, known->second, {}};
            for (const auto& s : k.value().toArray()) {
                const QJsonArray e = s.toArray();
                if (e.size() != 4)
                    continue;
                const auto at = [&e](int i) { return static_cast<float>(e[i].toDouble()) / TemplateSide; };
                t.strokes.push_back({{at(0), at(1)}, {at(2), at(3)}});
            }
            if (!t.strokes.empty())
                out.push_back(std::move(t));
        }
    }
    std::sort(out.begin(), out.end(), [](const Template& a, const Template& b) { return a.number < b.number; });
    return out;
}

Recogniser::Recogniser(std::unique_ptr<Zinnia> zinnia, std::unique_ptr<StrokeMatcher> matcher, KanjiNumbers education)
    : m_zinnia(std::move(zinnia)), m_matcher(std::move(matcher)), m_education(std::move(education))
{}

Recogniser::~Recogniser() = default;

std::unique_ptr<Recogniser> Recogniser::load(const RecogniserSetup& setup, KanjiNumbers education, QString& problem)
{
    QString zinniaProblem;
    auto zinnia = Zinnia::load(setup, zinniaProblem);
    std::vector<Template> templates = readTemplates(setup.templates, education);
    std::unique_ptr<StrokeMatcher> matcher;
    problem = zinniaProblem;
    if (!templates.empty())
        matcher = std::make_unique<StrokeMatcher>(std::move(templates));
    else
        problem += (problem.isEmpty() ? QString() : QStringLiteral(" "))
                   + QStringLiteral("筆画のデータがありません（パッケージ %1 が必要です）。").arg(setup.templatesPackage);
    return std::make_unique<Recogniser>(std::move(zinnia), std::move(matcher), std::move(education));
}

std::vector<Candidate> Recogniser::candidates(const std::vector<Stroke>& strokes, float size) const
{
    return merged(strokes, trainedGuesses(strokes, size));
}

std::vector<Guess> Recogniser::trainedGuesses(const std::vector<Stroke>& strokes, float size) const
{
    return m_zinnia ? m_zinnia->classify(strokes, size, TrainedAsked) : std::vector<Guess>{};
}

std::vector<Candidate> Recogniser::merged(const std::vector<Stroke>& strokes, const std::vector<Guess>& trained) const
{
    std::map<char32_t, float> weight;
    std::vector<Candidate> outsiders;
    float rank = 0;
    for (std::size_t i = 0; i < trained.size(); ++i) {
        if (m_education.count(trained[i].kanji) != 0)
            weight[trained[i].kanji] += TrainedWeight / (FusionRank + rank++);
        else if (i < SureRank && outsiders.size() < Outsiders && isHan(trained[i].kanji))
            outsiders.push_back({trained[i].kanji, 0});
    }
    if (m_matcher) {
        rank = 0;
        for (const StrokeMatcher::Match& m : m_matcher->rank(strokes, MatchedAsked))
            weight[m_matcher->templates()[m.index].kanji] += 1 / (FusionRank + rank++);
    }
    std::vector<std::pair<char32_t, float>> ranked(weight.begin(), weight.end());
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<Candidate> out;
    for (const auto& [kanji, w] : ranked) {
        if (out.size() == Shown)
            break;
        out.push_back({kanji, m_education.at(kanji)});
    }
    out.insert(out.end(), outsiders.begin(), outsiders.end());
    return out;
}

} // namespace sorban::handwriting
