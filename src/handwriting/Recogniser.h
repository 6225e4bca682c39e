#pragma once

#include "handwriting/StrokeMatcher.h"
#include "handwriting/Zinnia.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace sorban::data {
class KanjiStore;
}

namespace sorban::handwriting {

/// The education kanji by character, each with its kanji number.
using KanjiNumbers = std::unordered_map<char32_t, std::int32_t>;
KanjiNumbers educationKanji(const data::KanjiStore& store);

/// The stroke templates of the education kanji, read from the file of stroke ends (a JSON object
/// of stroke counts, each an object of kanji, each a list of [x1, y1, x2, y2]); empty when the
/// file is missing or unreadable.
std::vector<Template> readTemplates(const std::string& path, const KanjiNumbers& education);

/// One candidate of the row: a kanji, and its number when it is an education kanji (else 0).
struct Candidate {
    char32_t kanji = 0;
    std::int32_t number = 0;
};

/// Both recognisers together: the trained one, strict about stroke order and count, and the
/// order-free matcher of the education kanji; either may be missing.
class Recogniser {
public:
    static constexpr std::size_t Shown = 10;    // education kanji in the row
    static constexpr std::size_t Outsiders = 2; // other kanji at its end, when the trained one is sure

    Recogniser(std::unique_ptr<Zinnia> zinnia, std::unique_ptr<StrokeMatcher> matcher, KanjiNumbers education);
    ~Recogniser();
    /// Loads both; `problem` says, in a sentence each, what is missing.
    static std::unique_ptr<Recogniser> load(const RecogniserSetup& setup, KanjiNumbers education, QString& problem);

    bool works() const { return m_zinnia != nullptr || m_matcher != nullptr; }
    bool trained() const { return m_zinnia != nullptr; }
    /// Up to Shown education kanji, best first, then up to Outsiders others.
    std::vector<Candidate> candidates(const std::vector<Stroke>& strokes, float size) const;

    // The same in two steps, for a window that shows the matcher's row at once and the merged
    // row when the trained recogniser, several times slower, has answered on another thread.
    /// The trained recogniser's guesses (none without it); one thread at a time.
    std::vector<Guess> trainedGuesses(const std::vector<Stroke>& strokes, float size) const;
    /// The row from the matcher and `trained`'s guesses (none: the matcher's alone); any thread.
    std::vector<Candidate> merged(const std::vector<Stroke>& strokes, const std::vector<Guess>& trained) const;

private:
    std::unique_ptr<Zinnia> m_zinnia;
    std::unique_ptr<StrokeMatcher> m_matcher;
    KanjiNumbers m_education;
};

} // namespace sorban::handwriting
