#include "app/KanjiPage.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "data/PictureFile.h"
#include "platform/core/TextCodec.h"

#include <algorithm>

namespace sorban::app {
namespace {

using platform::utf8ToSjis;

QString q(const std::string& sjis)
{
    return QString::fromStdString(platform::sjisToUtf8(sjis));
}

// The word that marks the sample set's labels and notes.
const QString SampleMark = QStringLiteral("見本");

} // namespace

const std::array<std::string, 6>& AttrHeading()
{
    static const std::array<std::string, 6> headings = {utf8ToSjis("配当学年"),   utf8ToSjis("画数"),   utf8ToSjis("部首"),
                                                        utf8ToSjis("[部首読み]"), utf8ToSjis("漢検級"), utf8ToSjis("成り立ち")};
    return headings;
}

const std::array<std::string, 6>& NaritachiLabel()
{
    static const std::array<std::string, 6> labels = {utf8ToSjis("－－"), utf8ToSjis("象形"), utf8ToSjis("指事"),
                                                      utf8ToSjis("会意"), utf8ToSjis("形声"), utf8ToSjis("国字")};
    return labels;
}

std::array<std::string, 6> attributeTexts(const data::KanjiStore& s, std::int32_t n)
{
    const bool known = data::KanjiStore::isKanjiNumber(n);
    const std::size_t slot = known ? static_cast<std::size_t>(n - 1) : 0;
    const std::int32_t grade = known ? s.HaitouNen[slot] : 0;
    const std::int32_t radical = known ? s.BushuNo[slot] : -1;
    const bool hasRadical = data::KanjiStore::isRadicalNumber(radical);
    const std::int32_t type = known ? s.NaritachiType[slot] : 0;
    return {grade >= 1 && grade <= 6 ? std::to_string(grade) + utf8ToSjis("年") : utf8ToSjis("☆☆"),
            std::to_string(known ? s.KakuSuu[slot] : 0) + utf8ToSjis("画"),
            hasRadical ? s.BushuName[static_cast<std::size_t>(radical)] : std::string(),
            hasRadical ? s.BushuYomi[static_cast<std::size_t>(radical)] : std::string(),
            std::to_string(11 - static_cast<std::int64_t>(grade)) + utf8ToSjis("級"),
            NaritachiLabel()[static_cast<std::size_t>(type >= 0 && type <= 5 ? type : 0)]};
}

int shownReadings(const data::KanjiStore& store, std::int32_t n)
{
    return std::clamp(data::KanjiStore::isKanjiNumber(n) ? store.YomiCount[static_cast<std::size_t>(n)] : 0, 0, 10);
}

QString spokenKanji(const data::KanjiStore& store, std::int32_t n)
{
    if (!data::KanjiStore::isKanjiNumber(n))
        return QStringLiteral("漢字番号 %1").arg(n);
    const std::int32_t count = store.YomiCount[static_cast<std::size_t>(n)];
    QString spoken = q(store.KanjiText[static_cast<std::size_t>(n)]) + QStringLiteral("、漢字番号 %1、読み %2").arg(n).arg(count);
    const std::int64_t first = store.FirstYomi(n);
    for (std::int64_t k = 0; k < std::min(count, SpokenReadings); ++k)
        if (data::KanjiStore::isReadingIndex(first + k))
            spoken += QStringLiteral("、") + q(store.YomiText[static_cast<std::size_t>(first + k)]);
    return spoken;
}

KanjiPage makeKanjiPage(const data::KanjiStore& s, std::int32_t n, bool withExamples, const std::filesystem::path& pictureDir)
{
    KanjiPage page;
    page.number = n;
    const bool known = data::KanjiStore::isKanjiNumber(n);
    const std::string kanji = known ? s.KanjiText[static_cast<std::size_t>(n)] : std::string();
    page.kanji = q(kanji);
    page.readings = known ? s.YomiCount[static_cast<std::size_t>(n)] : 0;
    page.appearanceNote = q(s.AprNote).remove(QLatin1Char('\n'));
    page.exampleNote = q(s.GokuNote).remove(QLatin1Char('\n'));
    const std::array<std::string, 6> attributes = attributeTexts(s, n);
    for (std::size_t i = 0; i < 6; ++i) {
        page.attributeHeadings[i] = q(AttrHeading()[i]);
        page.attributes[i] = q(attributes[i]);
    }
    page.columns[0] = QStringLiteral("【読み】");
    for (std::size_t col = 1; col <= 6; ++col)
        page.columns[col] = q(s.ColumnLabel[col - 1]);
    const std::int32_t first = s.FirstYomi(n);
    for (int k = 0; k < shownReadings(s, n); ++k) {
        const std::int64_t index = static_cast<std::int64_t>(first) + k;
        const bool stored = data::KanjiStore::isReadingIndex(index);
        const auto i = static_cast<std::size_t>(stored ? index : 0);
        std::array<QString, 7> row;
        row[0] = stored ? q(s.YomiText[i]) : QString();
        const data::AprRow record = stored ? s.AprRecord[i] : data::AprRow{};
        for (std::size_t col = 1; col <= 6; ++col)
            row[col] = q(data::appearanceText(record[2 * col - 2], record[2 * col - 1])).trimmed();
        page.appearances.push_back(row);
        if (withExamples) {
            for (std::size_t col = 1; col <= 6; ++col)
                row[col] = stored ? q(s.GokuText[i][col - 1]) : QString();
            page.examples.push_back(row);
        }
    }
    if (known && s.HitujunFlag[static_cast<std::size_t>(n - 1)] == 1)
        page.picture = pictureDir / data::pictureFileName(n, kanji);
    page.sample = page.appearanceNote.contains(SampleMark)
                  || std::any_of(page.columns.begin() + 1, page.columns.end(), [](const QString& c) { return c.contains(SampleMark); });
    return page;
}

namespace {

const std::vector<std::array<QString, 7>>& rowsOf(const KanjiPage& page, bool examples)
{
    return examples ? page.examples : page.appearances;
}

QString captionOf(const KanjiPage& page)
{
    return page.kanji + QStringLiteral("（漢字番号 ") + QString::number(page.number) + QStringLiteral("）");
}

// A cell's text on one line of tab-separated text: tabs and line ends would split it.
QString tsvCell(QString text)
{
    return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

QString tableAsTsv(const KanjiPage& page, bool examples)
{
    QString out = captionOf(page) + QLatin1Char('\n');
    const auto line = [&out](const std::array<QString, 7>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? QStringLiteral("\t") : QString()) + tsvCell(cells[i]);
        out += QLatin1Char('\n');
    };
    line(page.columns);
    for (const auto& row : rowsOf(page, examples))
        line(row);
    return out;
}

QString tableAsHtml(const KanjiPage& page, bool examples)
{
    QString out = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<caption>") + captionOf(page).toHtmlEscaped()
                  + QStringLiteral("</caption>\n<tr>");
    for (const QString& heading : page.columns)
        out += QStringLiteral("<th>") + heading.toHtmlEscaped() + QStringLiteral("</th>");
    out += QStringLiteral("</tr>\n");
    for (const auto& row : rowsOf(page, examples)) {
        out += QStringLiteral("<tr><th>") + row[0].toHtmlEscaped() + QStringLiteral("</th>");
        for (std::size_t col = 1; col < row.size(); ++col)
            out += QStringLiteral("<td>") + row[col].toHtmlEscaped() + QStringLiteral("</td>");
        out += QStringLiteral("</tr>\n");
    }
    return out + QStringLiteral("</table>\n");
}

} // namespace sorban::app
