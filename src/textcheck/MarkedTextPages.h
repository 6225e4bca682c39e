#pragma once

#include "sheets/TableDocument.h"
#include "textcheck/TextCheck.h"

#include <QStringList>
#include <QTextDocument>

#include <vector>

namespace sorban::textcheck {

/// A checked text as it is printed: a title, lines under it, the legend, the text with its marks,
/// then the list of marks.
struct MarkedText {
    QString title;
    QStringList notes;
    QString text;
    struct Span {
        int from = 0; ///< UTF-16 positions in `text`
        int to = 0;
        MarkKind kind = MarkKind::NotEducation;
    };
    std::vector<Span> spans;
    QStringList headings;
    std::vector<QStringList> rows;
};

/// The marked text laid out on A4 portrait pages, with the page number and the program in the footer.
class MarkedTextPages : public sheets::PagedDocument {
public:
    explicit MarkedTextPages(const MarkedText& marked);
    int pages() const override;
    void drawPage(QPainter& painter, const QRectF& page, int index) const override;
    /// The laid-out document, as the pages show it.
    const QTextDocument& document() const { return m_doc; }

private:
    void addList(const MarkedText& marked);
    QTextDocument m_doc;
};

} // namespace sorban::textcheck
