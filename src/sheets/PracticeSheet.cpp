#include "sheets/PracticeSheet.h"

#include "sheets/KanjiPage.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetParts.h"
#include "version/Version.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace sorban::sheets {
namespace {

constexpr double Margin = 100;
constexpr double Inner = PageWidth - 2 * Margin;
constexpr double Gap = 20;      // between two columns: ten 17 mm columns on A4
constexpr double BodyTop = 320; // under the title and the name boxes
constexpr double FooterTop = PageHeight - Margin - 110;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;

// The dotted cross of a writing box (田), and its frame.
void drawBox(QPainter& painter, const QRectF& box)
{
    painter.setPen(QPen(QColor(120, 120, 120), 3, Qt::DotLine));
    painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
    painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
    painter.setPen(QPen(QColor(60, 60, 60), 4));
    painter.drawRect(box);
}

} // namespace

PracticePages::PracticePages(PracticeRun run)
    : m_run(std::move(run)), m_box(std::clamp(m_run.options.boxMm, 10, 40) * 10.0),
      m_columns(std::max(1, static_cast<int>((Inner + Gap) / (m_box + Gap))))
{}

int PracticePages::pages() const
{
    return std::max(1,
                    static_cast<int>((m_run.kanji.size() + static_cast<std::size_t>(m_columns) - 1) / static_cast<std::size_t>(m_columns)));
}

double PracticePages::columnLeft(int column) const
{
    return Margin + Inner - (column + 1) * m_box - column * Gap;
}

// The text under the model kanji and the picture: stroke count, readings and examples.
double PracticePages::headHeight(const PracticeKanji& kanji) const
{
    const double text = std::max(SmallestText, m_box * 0.16);
    const QFontMetricsF metrics(sheetFont(text));
    double height = 2 * m_box + 40 + metrics.height() + 10;
    for (int r = 0; m_run.options.readings && r < kanji.readings.size(); ++r) {
        height += metrics.boundingRect(QRectF(0, 0, m_box, 1e6), TextFlags, kanji.readings[r]).height();
        if (m_run.options.examples && r < kanji.examples.size() && !kanji.examples[r].isEmpty())
            height += metrics.boundingRect(QRectF(0, 0, m_box - 20, 1e6), TextFlags, kanji.examples[r]).height();
        height += 8;
    }
    return height;
}

double PracticePages::boxesTop(int index) const
{
    double head = 2 * m_box;
    const auto first = static_cast<std::size_t>(index) * static_cast<std::size_t>(m_columns);
    for (std::size_t k = first; k < std::min(m_run.kanji.size(), first + static_cast<std::size_t>(m_columns)); ++k)
        head = std::max(head, headHeight(m_run.kanji[k]));
    // The heads take at most this share of the page: the rest is for writing (readings past it are
    // counted, not shown).
    constexpr double HeadShare = 0.45;
    return BodyTop + std::min(head, (FooterTop - 20 - BodyTop) * HeadShare) + 30;
}

QString PracticePages::familyFor(const QString& kanji, const QString& chosen, const QString& fallback)
{
    QFont font(chosen);
    font.setStyleStrategy(QFont::NoFontMerging); // the font's own glyphs, not another font's
    const bool has = !chosen.isEmpty() && !kanji.isEmpty() && QFontMetricsF(font).inFontUcs4(kanji.toUcs4().value(0));
    return has ? chosen : fallback;
}

void PracticePages::drawPage(QPainter& painter, const QRectF& page, int index) const
{
    painter.save();
    painter.translate(page.topLeft());
    const double scale = std::min(page.width() / PageWidth, page.height() / PageHeight);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    drawHeader(painter, index);
    QStringList missing;
    const double top = boxesTop(index);
    const auto first = static_cast<std::size_t>(index) * static_cast<std::size_t>(m_columns);
    for (int c = 0; c < m_columns && first + static_cast<std::size_t>(c) < m_run.kanji.size(); ++c) {
        const PracticeKanji& kanji = m_run.kanji[first + static_cast<std::size_t>(c)];
        painter.save();
        painter.setClipRect(QRectF(columnLeft(c) - 5, 0, m_box + 10, top));
        drawHead(painter, kanji, columnLeft(c), top, missing);
        painter.restore();
        drawBoxes(painter, kanji, columnLeft(c), top);
    }
    drawFooter(painter, index, missing);
    painter.restore();
}

// The title, and boxes for the date, the class and the name.
void PracticePages::drawHeader(QPainter& painter, int) const
{
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(50));
    const QRectF titleBox(Margin, Margin, 900, 90);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(painter.font()).elidedText(m_run.title, Qt::ElideRight, titleBox.width()));
    painter.setFont(sheetFont(34));
    double x = Margin + 960;
    for (const auto& [label, width] :
         {std::pair{QStringLiteral("日付"), 280.0}, {QStringLiteral("組"), 170.0}, {QStringLiteral("名前"), 400.0}}) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, Margin, 90, 90), Qt::AlignRight | Qt::AlignVCenter, label);
        painter.setPen(QPen(QColor(60, 60, 60), 4));
        painter.drawRect(QRectF(x + 100, Margin + 5, width - 110, 80));
        x += width;
    }
    painter.setPen(QPen(Qt::black, 5));
    painter.drawLine(QPointF(Margin, Margin + 130), QPointF(PageWidth - Margin, Margin + 130));
}

void PracticePages::drawHead(QPainter& painter, const PracticeKanji& kanji, double left, double top, QStringList& missing) const
{
    const QRectF model(left, BodyTop, m_box, m_box);
    drawBox(painter, model);
    QFont large(familyFor(kanji.kanji, m_run.options.family, m_run.fallbackFamily));
    large.setPixelSize(static_cast<int>(m_box * 0.82));
    painter.setFont(large);
    painter.setPen(Qt::black);
    painter.drawText(model, Qt::AlignCenter, kanji.kanji);
    const QRectF pictureBox(left, BodyTop + m_box + 20, m_box, m_box);
    painter.setPen(QPen(QColor(60, 60, 60), 3));
    painter.drawRect(pictureBox);
    if (const auto image = strokeOrderPicture(kanji.picture)) {
        const QSizeF fitted = QSizeF(image->size()).scaled(pictureBox.size() - QSizeF(8, 8), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(pictureBox.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted), *image);
    } else {
        missing << kanji.kanji;
    }
    const double text = std::max(SmallestText, m_box * 0.16);
    painter.setFont(sheetFont(text));
    painter.setPen(Qt::black);
    double y = pictureBox.bottom() + 20;
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QRectF(left, y, m_box, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, kanji.strokes);
    y += metrics.height() + 10;
    const double end = top - 30; // where the writing boxes begin
    for (int r = 0; m_run.options.readings && r < kanji.readings.size(); ++r) {
        const QRectF reading = metrics.boundingRect(QRectF(left, y, m_box, 1e6), TextFlags, kanji.readings[r]);
        const bool hasExample = m_run.options.examples && r < kanji.examples.size() && !kanji.examples[r].isEmpty();
        const double example = hasExample ? metrics.boundingRect(QRectF(0, 0, m_box - 20, 1e6), TextFlags, kanji.examples[r]).height() : 0;
        if (y + reading.height() + example + metrics.height() > end && r + 1 < kanji.readings.size()) {
            painter.setPen(Qt::black);
            painter.drawText(QRectF(left, y, m_box, metrics.height()), TextFlags, QStringLiteral("ほか%1").arg(kanji.readings.size() - r));
            break;
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left, y, m_box, reading.height()), TextFlags, kanji.readings[r]);
        y += reading.height();
        if (hasExample) {
            painter.setPen(QColor(70, 70, 70));
            painter.drawText(QRectF(left + 20, y, m_box - 20, example), TextFlags, kanji.examples[r]);
            y += example;
        }
        y += 8;
    }
}

// Trace boxes, the kanji lighter in each, then empty boxes to the bottom.
void PracticePages::drawBoxes(QPainter& painter, const PracticeKanji& kanji, double left, double top) const
{
    static constexpr int Greys[] = {150, 185, 210, 232};
    QFont trace(familyFor(kanji.kanji, m_run.options.family, m_run.fallbackFamily));
    trace.setPixelSize(static_cast<int>(m_box * 0.82));
    painter.setFont(trace);
    int n = 0;
    for (double y = top; y + m_box <= FooterTop - 20; y += m_box, ++n) {
        const QRectF box(left, y, m_box, m_box);
        if (n < std::clamp(m_run.options.traces, 0, 4)) {
            const int grey = Greys[n];
            painter.setPen(QColor(grey, grey, grey));
            painter.drawText(box, Qt::AlignCenter, kanji.kanji);
        }
        drawBox(painter, box);
    }
}

void PracticePages::drawFooter(QPainter& painter, int index, const QStringList& missing) const
{
    painter.setPen(QPen(QColor(90, 90, 90), 3));
    painter.drawLine(QPointF(Margin, FooterTop), QPointF(PageWidth - Margin, FooterTop));
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(28));
    if (!missing.isEmpty())
        painter.drawText(QRectF(Margin, FooterTop + 5, Inner, 45), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("筆順の図がない、または読めない漢字：") + missing.join(QStringLiteral("、")));
    const QRectF line(Margin, FooterTop + 55, Inner, 45);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(index + 1).arg(pages()));
    if (m_run.sample) {
        painter.setPen(QColor(190, 0, 0));
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, sampleNotice());
        painter.setPen(Qt::black);
    }
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Sorban v") + QString::fromLatin1(Version));
}

} // namespace sorban::sheets
