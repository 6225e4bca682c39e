#pragma once

#include "handwriting/Ink.h"

#include <QList>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace sorban::handwriting {

/// Where the trained recogniser, its model and the stroke templates are, and the Debian packages
/// that bring them, named when one is missing.
struct RecogniserSetup {
    std::string library = "libzinnia.so.0";
    std::string model = "/usr/share/tegaki/models/zinnia/handwriting-ja.model";
    std::string templates = "/usr/lib/python3/dist-packages/kanjidraw/data.json";
    QString libraryPackage = QStringLiteral("libzinnia0");
    QString modelPackage = QStringLiteral("tegaki-zinnia-japanese");
    QString templatesPackage = QStringLiteral("python3-kanjidraw");
};

/// One guess of a recogniser: a character and how sure it is (higher is surer).
struct Guess {
    char32_t kanji = 0;
    float score = 0;
};

/// The trained recogniser (zinnia with its Japanese model), opened at run time when the pad is
/// first used so that the program starts without it and works where it is missing. The model is
/// memory-mapped. One object is used by one thread at a time.
class Zinnia {
public:
    /// The recogniser with its model, or nothing with `problem` saying what is missing.
    static std::unique_ptr<Zinnia> load(const RecogniserSetup& setup, QString& problem);
    ~Zinnia();
    Zinnia(const Zinnia&) = delete;
    Zinnia& operator=(const Zinnia&) = delete;

    /// Its `count` best guesses for `strokes` written on a pad of side `size`, best first.
    std::vector<Guess> classify(const std::vector<Stroke>& strokes, float size, std::size_t count) const;

private:
    struct Api;
    explicit Zinnia(std::unique_ptr<Api> api);
    std::unique_ptr<Api> m_api;
};

} // namespace sorban::handwriting
