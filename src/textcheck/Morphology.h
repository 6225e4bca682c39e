#pragma once

#include <QString>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sorban::textcheck {

/// A word of a text as the analyser cut it: its characters and its reading in katakana (empty
/// when the analyser knows none).
struct Token {
    int begin = 0;
    int end = 0;
    std::u32string reading;
};

/// Where the analyser and its dictionary are, and which field of the dictionary's features holds
/// a word's reading as it is read in that place.
struct AnalyserSetup {
    std::string library = "libmecab.so.2";
    std::string dictionary = "/var/lib/mecab/dic/ipadic-utf8";
    int readingField = 7;
    /// The Debian packages that bring them, named when they are missing.
    QString libraryPackage = QStringLiteral("libmecab2");
    QString dictionaryPackage = QStringLiteral("mecab-ipadic-utf8");
};

/// The morphological analyser (MeCab), loaded at run time when it is first needed so that the
/// program starts without it and works on where it is missing. One object is used by one thread
/// at a time.
class Morphology {
public:
    /// The analyser with its dictionary, or nothing with `problem` saying what is missing.
    static std::unique_ptr<Morphology> load(const AnalyserSetup& setup, QString& problem);
    ~Morphology();
    Morphology(const Morphology&) = delete;
    Morphology& operator=(const Morphology&) = delete;

    /// The words of `text`, in order; blanks and line ends belong to no word.
    std::vector<Token> parse(std::u32string_view text) const;

private:
    struct Api;
    Morphology(std::unique_ptr<Api> api, int readingField);
    void parsePiece(std::u32string_view text, int offset, std::vector<Token>& out) const;

    std::unique_ptr<Api> m_api;
    int m_readingField;
};

} // namespace sorban::textcheck
