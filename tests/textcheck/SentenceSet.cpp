#include "textcheck/SentenceSet.h"

#include "textcheck/Kana.h"
#include "textcheck/ReadingTable.h"

#include <QFile>
#include <QStringList>

namespace sorban::test {

using textcheck::Segment;

std::vector<Sentence> readSentences(const std::filesystem::path& path)
{
    std::vector<Sentence> out;
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    int lineNumber = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        Sentence s;
        s.line = lineNumber;
        QString rest = line;
        s.knownMiss = rest.startsWith(QLatin1Char('?'));
        if (s.knownMiss)
            rest.remove(0, 1);
        for (qsizetype i = 0; i < rest.size();) {
            const qsizetype close = rest.indexOf(QLatin1Char('}'), i);
            if (rest[i] != QLatin1Char('{') || close < 0) {
                s.text += textcheck::toU32(rest.mid(i, 1));
                ++i;
                continue;
            }
            const QStringList parts = rest.mid(i + 1, close - i - 1).split(QLatin1Char(':'));
            const auto begin = static_cast<int>(s.text.size());
            const std::u32string kanji = textcheck::toU32(parts.value(0));
            const QStringList readings = parts.value(1).split(QLatin1Char('.'));
            s.text += kanji;
            if (readings.size() == 1) {
                s.expected.push_back({begin, begin + static_cast<int>(kanji.size()), textcheck::toKatakana(textcheck::toU32(readings[0]))});
            } else {
                for (qsizetype k = 0; k < readings.size(); ++k)
                    s.expected.push_back({begin + static_cast<int>(k), begin + static_cast<int>(k) + 1,
                                          textcheck::toKatakana(textcheck::toU32(readings[k]))});
            }
            i = close + 1;
        }
        out.push_back(std::move(s));
    }
    return out;
}

Verdict judge(const ExpectedReading& expected, const std::vector<textcheck::KanjiInText>& read, const textcheck::ReadingTable& table)
{
    std::u32string got;
    bool education = false, open = false;
    const Segment* only = nullptr;
    std::int32_t number = 0;
    int lastSegmentEnd = -1;
    for (const textcheck::KanjiInText& k : read) {
        if (k.at < expected.begin || k.at >= expected.end)
            continue;
        education = education || k.number != 0;
        number = k.number;
        if (!k.segment || k.segment->kind == Segment::Kind::Unknown) {
            open = true;
            continue;
        }
        const int segmentEnd = k.wordBegin + k.segment->end;
        if (segmentEnd != lastSegmentEnd) // a word's kanji read together are counted once
            got += k.segment->read;
        lastSegmentEnd = segmentEnd;
        only = &*k.segment;
    }
    if (!education)
        return Verdict::Outside;
    if (open)
        return Verdict::Unknown;
    if (textcheck::comparable(got) == textcheck::comparable(expected.reading))
        return Verdict::Right;
    if (expected.end - expected.begin == 1 && only != nullptr && only->kind == Segment::Kind::Reading) {
        for (const textcheck::KanjiReading& r : table.readings(number))
            if (r.index == only->ref && textcheck::isFormOf(expected.reading, r.stem))
                return Verdict::SameEntry;
    }
    return Verdict::Wrong;
}

} // namespace sorban::test
