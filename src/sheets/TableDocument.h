#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QRectF;

namespace sorban::sheets {

/// A list printed on A4 portrait pages: a title, lines under it (a heading, totals, the sample-data
/// notice), a table whose heading row stands again on every page, and a footer with the page
/// number and the program's name. Cells wrap; the text is never under 7 points.
struct TableDocument {
    QString title;
    QStringList notes;
    QStringList headings;
    std::vector<double> widths; ///< each column's share of the page's width
    std::vector<QStringList> rows;
    QString empty; ///< what the page says when there are no rows
};

/// Something that can be drawn page by page on a printer or a PDF writer.
class PagedDocument {
public:
    virtual ~PagedDocument() = default;
    virtual int pages() const = 0;
    /// Draws page `index` (0-based) into `page`, the device's page in its own units.
    virtual void drawPage(QPainter& painter, const QRectF& page, int index) const = 0;
};

/// A table document laid out on its pages.
class TablePages : public PagedDocument {
public:
    explicit TablePages(TableDocument document);
    int pages() const override { return static_cast<int>(m_firstRow.size()); }
    void drawPage(QPainter& painter, const QRectF& page, int index) const override;

private:
    double rowHeight(const QStringList& cells) const;
    double columnWidth(int col) const;

    TableDocument m_doc;
    std::vector<double> m_heights;       // each row's height
    std::vector<std::size_t> m_firstRow; // each page's first row
};

} // namespace sorban::sheets
