#include "sheets/KanjiPage.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "data/KanjiTexts.h"
#include "data/PictureFile.h"
#include "platform/core/TextCodec.h"

#include <algorithm>

namespace sorban::sheets {
namespace {

QString q(const std::string& sjis)
{
    return QString::fromStdString(platform::sjisToUtf8(sjis));
}

// The word that marks the sample set's labels and notes.
const QString SampleMark = QStringLiteral("見本");

} // namespace

QString sampleNotice()
{
    return QStringLiteral("見本のデータです。実際の教科書の出現ページではありません。");
}

KanjiPage makeKanjiPage(const data::KanjiStore& s, std::int32_t n, PageContents contents, const std::filesystem::path& pictureDir)
{
    KanjiPage page;
    page.number = n;
    const bool known = data::KanjiStore::isKanjiNumber(n);
    const std::string kanji = known ? s.KanjiText[static_cast<std::size_t>(n)] : std::string();
    page.kanji = q(kanji);
    page.readings = known ? s.YomiCount[static_cast<std::size_t>(n)] : 0;
    page.appearanceNote = q(s.AprNote).remove(QLatin1Char('\n'));
    page.exampleNote = q(s.GokuNote).remove(QLatin1Char('\n'));
    const std::array<std::string, 6> attributes = data::attributeTexts(s, n);
    for (std::size_t i = 0; i < 6; ++i) {
        page.attributeHeadings[i] = q(data::AttrHeading()[i]);
        page.attributes[i] = q(attributes[i]);
    }
    page.columns[0] = QStringLiteral("【読み】");
    for (std::size_t col = 1; col <= 6; ++col)
        page.columns[col] = q(s.ColumnLabel[col - 1]);
    const std::int32_t first = s.FirstYomi(n);
    // A sheet holds every reading the file stores for the kanji; a count past the file's end adds no rows.
    const auto inFile = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{data::ReadingSlots} - first, 0, data::ReadingSlots));
    const int rows = contents.allReadings ? std::clamp(page.readings, 0, inFile) : data::shownReadings(s, n);
    for (int k = 0; k < rows; ++k) {
        const std::int64_t index = static_cast<std::int64_t>(first) + k;
        const bool stored = data::KanjiStore::isReadingIndex(index);
        const auto i = static_cast<std::size_t>(stored ? index : 0);
        std::array<QString, 7> row;
        row[0] = stored ? q(s.YomiText[i]) : QString();
        const data::AprRow record = stored ? s.AprRecord[i] : data::AprRow{};
        for (std::size_t col = 1; col <= 6; ++col)
            row[col] = q(data::appearanceText(record[2 * col - 2], record[2 * col - 1])).trimmed();
        page.appearances.push_back(row);
        if (contents.examples) {
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

QString captionOf(const KanjiPage& page, bool examples)
{
    return page.kanji + QStringLiteral("（漢字番号 ") + QString::number(page.number) + QStringLiteral("） ")
           + (examples ? QStringLiteral("用例") : QStringLiteral("出現ページ"));
}

// A cell's text on one line of tab-separated text: tabs and line ends would split it.
QString tsvCell(QString text)
{
    return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

QString tableAsTsv(const KanjiPage& page, bool examples)
{
    QString out = captionOf(page, examples) + QLatin1Char('\n');
    if (page.sample)
        out += sampleNotice() + QLatin1Char('\n');
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
    QString out =
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<caption>") + captionOf(page, examples).toHtmlEscaped()
        + (page.sample ? QStringLiteral("<br>") + sampleNotice().toHtmlEscaped() : QString()) + QStringLiteral("</caption>\n<tr>");
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

} // namespace sorban::sheets
