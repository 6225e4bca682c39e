#include "textcheck/TextCheckWindow.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "data/VolumeOrder.h"
#include "platform/core/Dialogs.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/ListGrid.h"
#include "platform/widgets/StringGrid.h"
#include "settings/Settings.h"
#include "sheets/KanjiPage.h"
#include "sheets/SheetPrinter.h"
#include "textcheck/Kana.h"
#include "textcheck/MarkStyle.h"
#include "textcheck/MarkedTextPages.h"
#include "textcheck/TextFile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace sorban::textcheck {
namespace {

const char* const PlaceKey = "TEXTCHECK";
const QStringList Headings = {QStringLiteral("位置"), QStringLiteral("語"),   QStringLiteral("漢字"),
                              QStringLiteral("読み"), QStringLiteral("区分"), QStringLiteral("初出")};
const std::vector<int> Widths = {52, 80, 44, 80, 84, 144};
constexpr int DelayMs = 30; // a pause in typing this long starts a check

QString q(const std::string& sjis)
{
    return QString::fromStdString(platform::sjisToUtf8(sjis));
}

} // namespace

bool TextArea::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasUrls() || QPlainTextEdit::canInsertFromMimeData(source);
}

void TextArea::insertFromMimeData(const QMimeData* source)
{
    if (source->hasUrls() && !source->urls().isEmpty() && source->urls().first().isLocalFile())
        emit fileDropped(source->urls().first().toLocalFile());
    else
        QPlainTextEdit::insertFromMimeData(source);
}

struct TextCheckWindow::Job {
    quint64 generation = 0;
    QString text;
    int column = 0;
    std::int32_t volume = 0;
    CheckResult result;
    std::vector<int> utf16;
    bool tried = false; // the analyser was tried on this job
    QString problem;
};

TextCheckWindow::TextCheckWindow(TextCheckContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(std::move(context)), m_table(m_context.store, &m_context.jukuji)
{
    setObjectName(QStringLiteral("TextCheckWindow"));
    setWindowTitle(QStringLiteral("未習チェック"));
    setupControls();
    resize(980, 640);
    const int col = m_context.settings.CheckColumn;
    if (col >= 1 && col <= data::Columns)
        m_column->setCurrentIndex(col - 1);
    m_volume->setCurrentIndex(std::max(0, m_volume->findData(m_context.settings.CheckVolume)));
    m_status->setText(status());
}

TextCheckWindow::~TextCheckWindow()
{
    if (m_thread) // the thread reads this window's table and analyser
        m_thread->wait();
}

void TextCheckWindow::setupControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(setupChoices());
    auto* legend = new QTextEdit(this);
    setupLegend(legend);
    layout->addWidget(legend);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    auto* split = new QSplitter(Qt::Horizontal, this);
    m_text = new TextArea(split);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setAccessibleName(QStringLiteral("調べる文章"));
    m_text->setFont(platform::pixelFont(platform::faces::PGothic, 18));
    m_text->setTabChangesFocus(true); // Tab leads on to the list, as keyboard users expect
    m_text->setPlaceholderText(QStringLiteral("ここに文章を入力するか、貼り付けるか、テキストファイルをドロップしてください。"));
    m_list = platform::makeListGrid(split, QStringLiteral("list"), QStringLiteral("印の一覧"), Widths);
    m_list->viewport()->installEventFilter(this);
    split->addWidget(m_text);
    split->addWidget(m_list);
    split->setSizes({440, 520});
    layout->addWidget(split, 1);
    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    m_delay->setInterval(DelayMs);
    connect(m_delay, &QTimer::timeout, this, &TextCheckWindow::startCheck);
    connect(m_text, &QPlainTextEdit::textChanged, this, &TextCheckWindow::schedule);
    connect(m_text, &TextArea::fileDropped, this, &TextCheckWindow::loadFile);
    connect(m_list, &platform::StringGrid::selectCell, this, [this](int, int row, bool*) { showInText(row - 1); });
    connect(m_list, &platform::StringGrid::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            pick(m_list->row() - 1);
    });
}

QWidget* TextCheckWindow::setupChoices()
{
    auto* row = new QWidget(this);
    auto* choices = new QHBoxLayout(row);
    choices->setContentsMargins(0, 0, 0, 0);
    m_column = new QComboBox(row);
    m_column->setObjectName(QStringLiteral("column"));
    for (const std::string& label : m_context.store.ColumnLabel)
        m_column->addItem(q(label));
    m_volume = new QComboBox(row);
    m_volume->setObjectName(QStringLiteral("volume"));
    for (const std::int32_t code : data::VolumeCodes)
        m_volume->addItem(q(data::volumeLabel(code)), code);
    m_column->view()->setAccessibleName(QStringLiteral("教科書の一覧"));
    m_volume->view()->setAccessibleName(QStringLiteral("巻の一覧"));
    platform::addLabelled(*choices, QStringLiteral("教科書(&T)："), m_column);
    choices->addSpacing(16);
    platform::addLabelled(*choices, QStringLiteral("習い終えた巻(&V)："), m_volume);
    choices->addStretch();
    QPushButton* open = platform::namedButton(row, QStringLiteral("開く(&O)..."), "open");
    QPushButton* ruby = platform::namedButton(row, QStringLiteral("ルビ付きでコピー(&R)"), "ruby");
    QPushButton* print = platform::namedButton(row, QStringLiteral("印刷(&P)..."), "print");
    QPushButton* pdf = platform::namedButton(row, QStringLiteral("PDFに保存(&E)..."), "pdf");
    for (QPushButton* b : {open, ruby, print, pdf})
        choices->addWidget(b);
    connect(m_column, &QComboBox::currentIndexChanged, this, &TextCheckWindow::schedule);
    connect(m_volume, &QComboBox::currentIndexChanged, this, &TextCheckWindow::schedule);
    connect(open, &QPushButton::clicked, this, &TextCheckWindow::openFile);
    connect(ruby, &QPushButton::clicked, this, &TextCheckWindow::copyWithRuby);
    connect(print, &QPushButton::clicked, this, &TextCheckWindow::printText);
    connect(pdf, &QPushButton::clicked, this, &TextCheckWindow::saveText);
    return row;
}

// The legend shows each kind as the text does: its colour, its underline and its name.
void TextCheckWindow::setupLegend(QTextEdit* legend)
{
    legend->setObjectName(QStringLiteral("legend"));
    legend->setAccessibleName(QStringLiteral("凡例"));
    legend->setReadOnly(true);
    legend->setFocusPolicy(Qt::NoFocus);
    legend->setFrameShape(QFrame::NoFrame);
    legend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    legend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    legend->viewport()->setAutoFillBackground(false);
    legend->setFont(platform::pixelFont(platform::faces::PGothic, 15));
    QTextCursor c(legend->document());
    c.insertText(QStringLiteral("凡例："));
    for (const MarkKind kind : Kinds) {
        c.insertText(QStringLiteral("字"), markFormat(kind));
        c.insertText(QStringLiteral(" ") + legendText(kind) + QStringLiteral("　　"), QTextCharFormat());
    }
    legend->setFixedHeight(legend->fontMetrics().height() + 14);
}

void TextCheckWindow::open()
{
    if (const auto place = m_context.settings.place(PlaceKey))
        setGeometry(place->left, place->top, place->width, place->height);
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    if (m_analyser == Analyser::Loading && !m_running)
        startCheck(); // loads the analyser now, while the teacher starts to type
}

void TextCheckWindow::setText(const QString& text)
{
    m_fileNote.clear();
    m_text->setPlainText(text);
}

QString TextCheckWindow::text() const
{
    return m_text->toPlainText();
}

bool TextCheckWindow::loadFile(const QString& path)
{
    const LoadedText loaded = readTextFile(path);
    if (!loaded.ok) {
        platform::dialogs().messageBox(loaded.problem.toStdString(), windowTitle().toStdString());
        return false;
    }
    m_text->setPlainText(loaded.text);
    m_fileNote = QStringLiteral("%1（%2）").arg(QFileInfo(path).fileName(), loaded.encoding);
    m_status->setText(status());
    return true;
}

void TextCheckWindow::openFile()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("文章を開く"), QString(),
                                                      QStringLiteral("テキストファイル (*.txt);;すべてのファイル (*)"));
    if (!path.isEmpty())
        loadFile(path);
}

void TextCheckWindow::choose(int col, std::int32_t code)
{
    m_column->setCurrentIndex(col);
    m_volume->setCurrentIndex(std::max(0, m_volume->findData(code)));
}

void TextCheckWindow::schedule()
{
    ++m_generation;
    remember();
    m_delay->start();
}

void TextCheckWindow::remember()
{
    m_context.settings.CheckColumn = m_column->currentIndex() + 1;
    m_context.settings.CheckVolume = m_volume->currentData().toInt();
}

void TextCheckWindow::startCheck()
{
    if (m_running) { // the running check's end starts the next
        m_delay->stop();
        return;
    }
    m_running = true;
    m_job = std::make_unique<Job>();
    Job* job = m_job.get();
    job->generation = m_generation;
    job->text = m_text->toPlainText();
    job->column = m_column->currentIndex();
    job->volume = m_volume->currentData().toInt();
    m_thread = QThread::create([this, job] {
        if (!m_loadTried) {
            m_morphology = Morphology::load(m_context.analyser, job->problem);
            m_loadTried = job->tried = true;
        }
        const std::u32string text = toU32(job->text);
        job->result = TextChecker(m_table, m_morphology.get()).check(text, job->column, job->volume);
        job->utf16.reserve(text.size() + 1);
        int at = 0;
        for (const char32_t c : text) {
            job->utf16.push_back(at);
            at += c > 0xFFFF ? 2 : 1;
        }
        job->utf16.push_back(at);
    });
    m_thread->setParent(this); // a thread still running when the window goes is waited for, then deleted with it
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_running = false;
        apply(*m_job);
        if (m_generation != m_shownGeneration)
            startCheck();
    });
    m_thread->start();
}

void TextCheckWindow::apply(const Job& job)
{
    if (job.tried) {
        m_analyserProblem = job.problem;
        m_analyser = job.problem.isEmpty() ? Analyser::Ready : Analyser::Missing;
    }
    if (job.generation != m_generation) {
        m_status->setText(status());
        return; // the text moved on: its own check follows
    }
    m_shownGeneration = m_generation;
    m_result = job.result;
    m_checkedText = job.text;
    m_utf16 = job.utf16;
    QList<QTextEdit::ExtraSelection> marks;
    for (const Mark& m : m_result.marks) {
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(m_text->document());
        s.cursor.setPosition(m_utf16[static_cast<std::size_t>(m.at)]);
        s.cursor.setPosition(m_utf16[static_cast<std::size_t>(m.at) + 1], QTextCursor::KeepAnchor);
        s.format = markFormat(m.kind);
        marks.append(s);
    }
    m_text->setExtraSelections(marks);
    fillList();
    m_status->setText(status());
}

QString TextCheckWindow::status() const
{
    QStringList parts;
    if (!m_fileNote.isEmpty())
        parts << m_fileNote;
    if (m_analyser == Analyser::Loading)
        parts << QStringLiteral("読みを調べる準備をしています…");
    else if (m_analyser == Analyser::Missing)
        parts << m_analyserProblem + QStringLiteral(" 漢字だけで判定しています（教育漢字外・未習漢字）。読みは調べていません。");
    int count[5] = {};
    for (const Mark& m : m_result.marks)
        ++count[static_cast<int>(m.kind)];
    parts << QStringLiteral("印 %1：教育漢字外 %2、未習漢字 %3、未習読み %4、読み不明 %5")
                 .arg(m_result.marks.size())
                 .arg(count[1])
                 .arg(count[2])
                 .arg(count[3])
                 .arg(count[4]);
    return parts.join(QStringLiteral("　"));
}

QStringList TextCheckWindow::rowTexts(const Mark& m) const
{
    return {QStringLiteral("%1:%2").arg(m.line).arg(m.column), m.word, m.kanji, m.reading, kindName(m.kind), m.where};
}

void TextCheckWindow::fillList()
{
    const int row = m_list->row();
    std::vector<QStringList> texts;
    for (const Mark& m : m_result.marks)
        texts.push_back(rowTexts(m));
    platform::fillListGrid(*m_list, Headings, texts);
    const QSignalBlocker quiet(m_list); // a new list does not move the text's cursor
    m_list->setCurrent(0, std::clamp(row, 1, std::max(1, m_list->rowCount() - 1)));
}

void TextCheckWindow::showInText(int row)
{
    if (row < 0 || row >= static_cast<int>(m_result.marks.size()) || m_checkedText != m_text->toPlainText())
        return;
    const Mark& m = m_result.marks[static_cast<std::size_t>(row)];
    QTextCursor c(m_text->document());
    c.setPosition(m_utf16[static_cast<std::size_t>(m.wordBegin)]);
    c.setPosition(m_utf16[static_cast<std::size_t>(m.wordEnd)], QTextCursor::KeepAnchor);
    m_text->setTextCursor(c);
    m_text->ensureCursorVisible();
}

void TextCheckWindow::pick(int row)
{
    if (row < 0 || row >= static_cast<int>(m_result.marks.size()) || m_result.marks[static_cast<std::size_t>(row)].number == 0)
        return;
    m_context.showKanji(m_result.marks[static_cast<std::size_t>(row)].number);
}

QString TextCheckWindow::listAsTsv() const
{
    QString out = Headings.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const Mark& m : m_result.marks)
        out += rowTexts(m).join(QLatin1Char('\t')) + QLatin1Char('\n');
    return out;
}

QString TextCheckWindow::rubyAsHtml() const
{
    return rubyHtml(toU32(m_checkedText), m_result.ruby);
}

QString TextCheckWindow::rubyAsText() const
{
    return rubyPlain(toU32(m_checkedText), m_result.ruby);
}

void TextCheckWindow::copyList()
{
    QGuiApplication::clipboard()->setText(listAsTsv());
}

void TextCheckWindow::copyWithRuby()
{
    auto* data = new QMimeData;
    data->setText(rubyAsText());
    data->setHtml(rubyAsHtml());
    data->setData(QStringLiteral("text/rtf"), rubyRtf(toU32(m_checkedText), m_result.ruby)); // the form word processors keep as ruby
    QGuiApplication::clipboard()->setMimeData(data);
}

QString TextCheckWindow::heading() const
{
    return m_column->currentText() + QStringLiteral("　") + m_volume->currentText() + QStringLiteral(" まで");
}

MarkedText TextCheckWindow::printed() const
{
    MarkedText p;
    p.title = QStringLiteral("未習チェック");
    p.notes << QStringLiteral("教科書：%1").arg(heading()) << status();
    if (q(m_context.store.AprNote).contains(QStringLiteral("見本")) || m_column->currentText().contains(QStringLiteral("見本")))
        p.notes << sheets::sampleNotice();
    p.text = m_checkedText;
    for (const Mark& m : m_result.marks)
        p.spans.push_back({m_utf16[static_cast<std::size_t>(m.at)], m_utf16[static_cast<std::size_t>(m.at) + 1], m.kind});
    p.headings = Headings;
    for (const Mark& m : m_result.marks)
        p.rows.push_back(rowTexts(m));
    return p;
}

void TextCheckWindow::printText()
{
    m_context.printer.printDocument(this, MarkedTextPages(printed()), QStringLiteral("未習チェック"));
}

void TextCheckWindow::saveText()
{
    m_context.printer.saveDocumentPdf(this, MarkedTextPages(printed()), QStringLiteral("未習チェック.pdf"), QStringLiteral("未習チェック"));
}

void TextCheckWindow::closeEvent(QCloseEvent* event)
{
    m_context.settings.setPlace(PlaceKey, {x(), y(), width(), height()});
    event->accept();
}

void TextCheckWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else if (event->matches(QKeySequence::Copy) && focusWidget() == m_list)
        copyList();
    else
        QWidget::keyPressEvent(event);
}

bool TextCheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint cell = m_list->MouseToCell(static_cast<QMouseEvent*>(event)->position().toPoint());
        pick(cell.y() - 1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sorban::textcheck
