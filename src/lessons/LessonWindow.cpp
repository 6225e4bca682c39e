#include "lessons/LessonWindow.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "data/VolumeOrder.h"
#include "jukuji/JukujiTables.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/ListGrid.h"
#include "platform/widgets/StringGrid.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/KanjiPage.h"
#include "sheets/SheetPrinter.h"
#include "sheets/TableDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorban::lessons {
namespace {

const char* const PlaceKey = "LESSONS";
const QStringList Headings = {QStringLiteral("ページ"), QStringLiteral("漢字"), QStringLiteral("番号"), QStringLiteral("読み"),
                              QStringLiteral("区分"),   QStringLiteral("初出"), QStringLiteral("用例")};
const std::vector<int> Widths = {60, 60, 60, 150, 90, 100, 260};

QString q(const std::string& sjis)
{
    return QString::fromStdString(platform::sjisToUtf8(sjis));
}

} // namespace

LessonWindow::LessonWindow(LessonContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(std::move(context)),
      m_first(std::make_unique<FirstAppearances>(m_context.store, m_context.jukuji))
{
    setObjectName(QStringLiteral("LessonWindow"));
    setWindowTitle(QStringLiteral("教科書別 新出一覧"));
    setupControls();
    resize(860, 620);
    fillVolumes();
    fill();
}

LessonWindow::~LessonWindow() = default;

void LessonWindow::setupControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    m_column = new QComboBox(this);
    m_column->setObjectName(QStringLiteral("column"));
    for (const std::string& label : m_context.store.ColumnLabel)
        m_column->addItem(q(label));
    m_volume = new QComboBox(this);
    m_volume->setObjectName(QStringLiteral("volume"));
    platform::addLabelled(*choices, QStringLiteral("教科書(&T)："), m_column);
    choices->addSpacing(16);
    platform::addLabelled(*choices, QStringLiteral("巻(&V)："), m_volume);
    choices->addStretch();
    QPushButton* copy = platform::namedButton(this, QStringLiteral("コピー(&C)"), "copy");
    QPushButton* print = platform::namedButton(this, QStringLiteral("印刷(&P)..."), "print");
    QPushButton* pdf = platform::namedButton(this, QStringLiteral("PDFに保存(&E)..."), "pdf");
    QPushButton* practice = platform::namedButton(this, QStringLiteral("練習プリント(&R)..."), "practice");
    for (QPushButton* b : {copy, print, pdf, practice})
        choices->addWidget(b);
    layout->addLayout(choices);
    m_list = platform::makeListGrid(this, QStringLiteral("list"), QStringLiteral("新出一覧"), Widths);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);
    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("totals"));
    m_totals->setWordWrap(true);
    layout->addWidget(m_totals);
    connect(m_column, &QComboBox::currentIndexChanged, this, [this] {
        fillVolumes();
        fill();
    });
    connect(m_volume, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(m_list, &platform::StringGrid::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            pick(m_list->row() - 1);
    });
    connect(copy, &QPushButton::clicked, this, &LessonWindow::copyList);
    connect(print, &QPushButton::clicked, this, &LessonWindow::printList);
    connect(pdf, &QPushButton::clicked, this, &LessonWindow::saveList);
    connect(practice, &QPushButton::clicked, this, &LessonWindow::practiceSheets);
}

// Every volume stays in the list; one with no entry in the column says so.
void LessonWindow::fillVolumes()
{
    const int col = m_column->currentIndex();
    const std::int32_t chosen = m_volume->currentIndex() >= 0 ? m_volume->currentData().toInt() : data::VolumeCodes[0];
    const QSignalBlocker quiet(m_volume);
    m_volume->clear();
    for (const std::int32_t code : data::VolumeCodes)
        m_volume->addItem(q(data::volumeLabel(code)) + (m_first->hasVolume(col, code) ? QString() : QStringLiteral("（なし）")), code);
    m_volume->setCurrentIndex(std::max(0, m_volume->findData(chosen)));
}

void LessonWindow::open()
{
    if (m_context.selection.GokuLoaded == 0) { // the examples are read as the example view reads them
        data::LoadGokuData(m_context.store, m_context.dataDir);
        m_context.selection.GokuLoaded = 1;
    }
    if (!m_context.jukuji.examplesLoaded) {
        jukuji::readExamples(m_context.jukuji, m_context.dataDir);
        m_context.jukuji.examplesLoaded = true;
    }
    if (const auto place = m_context.settings.place(PlaceKey))
        setGeometry(place->left, place->top, place->width, place->height);
    fill();
    show();
    raise();
    activateWindow();
}

void LessonWindow::choose(int col, std::int32_t code)
{
    m_column->setCurrentIndex(col);
    m_volume->setCurrentIndex(std::max(0, m_volume->findData(code)));
    fill();
}

QStringList LessonWindow::rowTexts(const NewReading& row) const
{
    const data::KanjiStore& s = m_context.store;
    const auto col = static_cast<std::size_t>(m_column->currentIndex());
    const auto i = static_cast<std::size_t>(row.reading);
    if (row.novelty == Novelty::Jukujikun) {
        const jukuji::JukujiTables& j = m_context.jukuji;
        return {QString::number(row.page), q(j.word[i]), QString(),           q(j.reading[i]),
                QStringLiteral("熟字訓"),  QString(),    q(j.example[i][col])};
    }
    const bool isNew = row.novelty == Novelty::NewKanji;
    return {QString::number(row.page),
            q(s.KanjiText[static_cast<std::size_t>(row.kanji)]),
            QString::number(row.kanji),
            q(s.YomiText[i]),
            isNew ? QStringLiteral("新出漢字") : QStringLiteral("新出読み"),
            isNew ? QString() : q(data::appearanceText(row.firstCode, row.firstPage)).trimmed(),
            q(s.GokuText[i][col])};
}

void LessonWindow::fill()
{
    const int col = m_column->currentIndex();
    const std::int32_t code = m_volume->currentData().toInt();
    m_rows = m_first->newIn(col, code);
    std::vector<QStringList> texts;
    for (const NewReading& row : m_rows)
        texts.push_back(rowTexts(row));
    platform::fillListGrid(*m_list, Headings, texts);
    m_list->setCurrent(0, 1);
    m_totals->setText(totalsText());
}

QString LessonWindow::heading() const
{
    return m_column->currentText() + QStringLiteral("　") + q(data::volumeLabel(m_volume->currentData().toInt()));
}

QString LessonWindow::totalsText() const
{
    const int col = m_column->currentIndex();
    if (!m_first->hasData(col))
        return QStringLiteral("この教科書の出現ページはデータにありません。");
    const std::int32_t code = m_volume->currentData().toInt();
    const VolumeTotals t = m_first->totals(col, code);
    QString text = QStringLiteral("この巻の新出：漢字 %1字、読み %2").arg(t.newKanji).arg(t.newReadings);
    if (t.jukujikun > 0)
        text += QStringLiteral("、熟字訓 %1").arg(t.jukujikun);
    text += QStringLiteral("　／　%1 までに習う：漢字 %2字、読み %3").arg(q(data::volumeLabel(code))).arg(t.kanjiMet).arg(t.readingsMet);
    if (m_rows.empty())
        text = QStringLiteral("この巻に初めて出る漢字・読みはありません。　") + text;
    return text;
}

QString LessonWindow::listAsTsv() const
{
    QString out = Headings.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const NewReading& row : m_rows) {
        QStringList cells = rowTexts(row);
        for (QString& cell : cells)
            cell.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

QString LessonWindow::listAsHtml() const
{
    QString out = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<caption>") + heading().toHtmlEscaped()
                  + QStringLiteral(" 新出一覧</caption>\n<tr>");
    for (const QString& h : Headings)
        out += QStringLiteral("<th>") + h.toHtmlEscaped() + QStringLiteral("</th>");
    out += QStringLiteral("</tr>\n");
    for (const NewReading& row : m_rows) {
        out += QStringLiteral("<tr>");
        for (const QString& cell : rowTexts(row))
            out += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        out += QStringLiteral("</tr>\n");
    }
    return out + QStringLiteral("</table>\n");
}

sheets::TableDocument LessonWindow::document() const
{
    sheets::TableDocument doc;
    doc.title = heading() + QStringLiteral(" 新出漢字・新出読み");
    doc.notes << m_totals->text();
    const bool sample =
        q(m_context.store.AprNote).contains(QStringLiteral("見本")) || m_column->currentText().contains(QStringLiteral("見本"));
    if (sample)
        doc.notes << sheets::sampleNotice();
    doc.headings = Headings;
    doc.widths.assign(Widths.begin(), Widths.end());
    for (const NewReading& row : m_rows)
        doc.rows.push_back(rowTexts(row));
    doc.empty = QStringLiteral("この巻に初めて出る漢字・読みはありません。");
    return doc;
}

void LessonWindow::copyList()
{
    auto* data = new QMimeData;
    data->setText(listAsTsv());
    data->setHtml(listAsHtml());
    QGuiApplication::clipboard()->setMimeData(data);
}

void LessonWindow::printList()
{
    m_context.printer.printDocument(this, sheets::TablePages(document()), document().title);
}

void LessonWindow::saveList()
{
    const QString name =
        m_column->currentText() + QLatin1Char('_') + q(data::volumeLabel(m_volume->currentData().toInt())) + QStringLiteral("_新出.pdf");
    m_context.printer.saveDocumentPdf(this, sheets::TablePages(document()), name, document().title);
}

void LessonWindow::practiceSheets()
{
    m_context.printer.practice(std::pair{m_column->currentIndex(), static_cast<std::int32_t>(m_volume->currentData().toInt())});
}

void LessonWindow::pick(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || m_rows[static_cast<std::size_t>(row)].kanji == 0)
        return;
    m_context.showKanji(m_rows[static_cast<std::size_t>(row)].kanji);
}

void LessonWindow::closeEvent(QCloseEvent* event)
{
    m_context.settings.setPlace(PlaceKey, {x(), y(), width(), height()});
    event->accept();
}

void LessonWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else if (event->matches(QKeySequence::Copy))
        copyList();
    else
        QWidget::keyPressEvent(event);
}

void LessonWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("コピー(&C)"), this, &LessonWindow::copyList);
    menu.addAction(QStringLiteral("印刷(&P)..."), this, &LessonWindow::printList);
    menu.addAction(QStringLiteral("PDFに保存(&E)..."), this, &LessonWindow::saveList);
    menu.addAction(QStringLiteral("練習プリント(&R)..."), this, &LessonWindow::practiceSheets);
    menu.exec(event->globalPos());
}

bool LessonWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint cell = m_list->MouseToCell(static_cast<QMouseEvent*>(event)->position().toPoint());
        pick(cell.y() - 1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sorban::lessons
