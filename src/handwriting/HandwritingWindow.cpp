#include "handwriting/HandwritingWindow.h"

#include "handwriting/WritingPad.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/ListGrid.h"
#include "settings/Settings.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QThread>
#include <QTimer>

namespace sorban::handwriting {
namespace {

const char* const PlaceKey = "HANDWRITING";
constexpr int CellSide = 48;

QString kanjiText(char32_t k)
{
    return QString::fromUcs4(&k, 1);
}

} // namespace

HandwritingWindow::HandwritingWindow(HandwritingContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(std::move(context)), m_education(educationKanji(m_context.store))
{
    setObjectName(QStringLiteral("HandwritingWindow"));
    setWindowTitle(QStringLiteral("手書き検索"));
    setupControls();
    m_status->setText(status());
}

HandwritingWindow::~HandwritingWindow()
{
    // The loading and asking threads fill this window's members.
    for (QThread* t : findChildren<QThread*>())
        t->wait();
}

void HandwritingWindow::setupControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_pad = new WritingPad(this);
    top->addWidget(m_pad);
    auto* buttons = new QVBoxLayout;
    QPushButton* undo = platform::namedButton(this, QStringLiteral("一画戻す(&U)"), "undo");
    QPushButton* clear = platform::namedButton(this, QStringLiteral("全部消す(&D)"), "clear");
    QPushButton* close = platform::namedButton(this, QStringLiteral("閉じる"), "close");
    for (QPushButton* b : {undo, clear, close}) {
        b->setFocusPolicy(Qt::TabFocus); // a click leaves the keys with the pad
        buttons->addWidget(b);
    }
    auto* hint = new QLabel(QStringLiteral("書き順や画数が少し違っていても、候補に出ます。\n"
                                           "Backspace・Ctrl+Z：一画戻す\nDelete：全部消す\nEsc：閉じる"),
                            this);
    hint->setWordWrap(true);
    buttons->addSpacing(12);
    buttons->addWidget(hint);
    buttons->addStretch();
    top->addLayout(buttons);
    top->addStretch();
    layout->addLayout(top);
    m_row = new QListWidget(this);
    m_row->setObjectName(QStringLiteral("candidates"));
    m_row->setAccessibleName(QStringLiteral("候補"));
    m_row->setFlow(QListView::LeftToRight);
    m_row->setWrapping(false);
    m_row->setUniformItemSizes(true);
    m_row->setGridSize(QSize(CellSide, CellSide + 10));
    m_row->setFont(platform::pixelFont(platform::faces::Mincho, 36));
    m_row->setFixedHeight(CellSide + 24);
    m_row->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* caption = new QLabel(QStringLiteral("候補(&K)（クリック、Enter、数字キー 1〜0 で表示）"), this);
    caption->setBuddy(m_row);
    layout->addWidget(caption);
    layout->addWidget(m_row);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    connect(undo, &QPushButton::clicked, m_pad, &WritingPad::undo);
    connect(clear, &QPushButton::clicked, m_pad, &WritingPad::clear);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_pad, &WritingPad::inkChanged, this, &HandwritingWindow::recognise);
    // The row is refilled by the pick: it happens once the list has finished with the click.
    connect(m_row, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        QMetaObject::invokeMethod(
            this, [this, at = m_row->row(item)] { pick(static_cast<std::size_t>(at)); }, Qt::QueuedConnection);
    });
    setupKeys();
    setFixedWidth(std::max(sizeHint().width(), static_cast<int>(Recogniser::Shown + Recogniser::Outsiders) * CellSide + 30));
}

void HandwritingWindow::open()
{
    if (const auto place = m_context.settings.place(PlaceKey))
        move(place->left, place->top);
    show();
    raise();
    activateWindow();
    m_pad->setFocus();
    if (!m_recogniser && !m_loader)
        load();
}

void HandwritingWindow::load()
{
    m_loader = QThread::create(
        [this, setup = m_context.setup, education = m_education] { m_loaded = Recogniser::load(setup, education, m_problem); });
    m_loader->setParent(this); // a thread still running when the window goes is waited for, then deleted with it
    connect(m_loader, &QThread::finished, this, [this] {
        m_loader->deleteLater();
        m_recogniser = std::move(m_loaded);
        recognise(); // strokes written while loading, and the status
    });
    m_loader->start();
}

QString HandwritingWindow::status() const
{
    if (!m_recogniser)
        return QStringLiteral("手書き認識を読み込んでいます…");
    const QString s =
        m_recogniser->works() ? QStringLiteral("%1画").arg(m_pad->ink().strokes().size()) : QStringLiteral("手書き認識が使えません。");
    return m_problem.isEmpty() ? s : s + QStringLiteral("　") + m_problem;
}

void HandwritingWindow::recognise()
{
    ++m_generation;
    m_candidates.clear();
    if (m_recogniser && !m_pad->ink().empty())
        m_candidates = m_recogniser->merged(m_pad->ink().strokes(), {});
    fillRow();
    m_status->setText(status());
    // Asked once the row is painted, so that the trained recogniser's reading of its model does not
    // hold back the paint.
    QTimer::singleShot(0, this, &HandwritingWindow::askTrained);
}

void HandwritingWindow::askTrained()
{
    // One question at a time: the running one, at its end, asks again about newer strokes.
    if (m_asking || !m_recogniser || !m_recogniser->trained() || m_pad->ink().empty())
        return;
    m_asking = true;
    m_asked = std::make_unique<Asked>(Asked{m_generation, m_pad->ink().strokes(), {}});
    Asked* asked = m_asked.get();
    const Recogniser* recogniser = m_recogniser.get();
    QThread* thread = QThread::create(
        [asked, recogniser] { asked->guesses = recogniser->trainedGuesses(asked->strokes, static_cast<float>(WritingPad::Side)); });
    thread->setParent(this);
    connect(thread, &QThread::finished, this, [this, thread] {
        thread->deleteLater();
        m_asking = false;
        if (m_asked->generation != m_generation) {
            askTrained();
            return;
        }
        m_candidates = m_recogniser->merged(m_asked->strokes, m_asked->guesses);
        m_mergedGeneration = m_generation;
        fillRow();
    });
    thread->start();
}

bool HandwritingWindow::settled() const
{
    return ready() && !m_asking && (!m_recogniser->trained() || m_pad->ink().empty() || m_mergedGeneration == m_generation);
}

void HandwritingWindow::fillRow()
{
    // The row's items are kept and rewritten: making them anew at each stroke costs a frame.
    while (m_row->count() > static_cast<int>(m_candidates.size()))
        delete m_row->takeItem(m_row->count() - 1);
    while (m_row->count() < static_cast<int>(m_candidates.size())) {
        auto* item = new QListWidgetItem(m_row);
        item->setTextAlignment(Qt::AlignCenter);
    }
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
        const Candidate& c = m_candidates[i];
        QListWidgetItem* item = m_row->item(static_cast<int>(i));
        item->setText(kanjiText(c.kanji));
        const int key = static_cast<int>((i + 1) % 10);
        const bool outsider = c.number == 0;
        item->setFlags(outsider ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setToolTip(outsider ? QStringLiteral("%1 は教育漢字ではありません").arg(kanjiText(c.kanji))
                                  : QStringLiteral("%1（漢字番号 %2）　数字キー %3").arg(kanjiText(c.kanji)).arg(c.number).arg(key));
        item->setData(Qt::AccessibleDescriptionRole,
                      outsider ? QStringLiteral("教育漢字ではありません") : QStringLiteral("数字キー %1").arg(key));
    }
    // The best candidate is chosen (Enter's pick) until the cursor moves: a screen reader reaching
    // the list speaks it.
    if (m_row->count() > 0 && m_row->currentRow() < 0)
        m_row->setCurrentRow(0);
}

bool HandwritingWindow::pick(std::size_t index)
{
    if (index >= m_candidates.size() || m_candidates[index].number == 0)
        return false;
    m_context.showKanji(m_candidates[index].number);
    m_pad->clear();
    m_pad->setFocus();
    return true;
}

void HandwritingWindow::closeEvent(QCloseEvent* event)
{
    m_context.settings.setPlace(PlaceKey, {x(), y(), width(), height()});
    event->accept();
}

void HandwritingWindow::setupKeys()
{
    // Window-wide, so that they act whether the pad or the list has the keys.
    const auto bind = [this](const QKeySequence& keys, auto action) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, action);
    };
    bind(QKeySequence(Qt::Key_Backspace), [this] { m_pad->undo(); });
    bind(QKeySequence::Undo, [this] { m_pad->undo(); });
    bind(QKeySequence(Qt::Key_Delete), [this] { m_pad->clear(); });
    // Enter takes the best candidate, or the one the list's cursor was moved to.
    const auto enter = [this] {
        pick(focusWidget() == m_row && m_row->currentRow() > 0 ? static_cast<std::size_t>(m_row->currentRow()) : 0);
    };
    bind(QKeySequence(Qt::Key_Return), enter);
    bind(QKeySequence(Qt::KeypadModifier | Qt::Key_Enter), enter);
    for (int digit = 0; digit <= 9; ++digit) {
        const auto choose = [this, digit] { pick(digit == 0 ? 9 : static_cast<std::size_t>(digit - 1)); };
        bind(QKeySequence(Qt::Key_0 + digit), choose);
        bind(QKeySequence(Qt::KeypadModifier | (Qt::Key_0 + digit)), choose);
    }
}

void HandwritingWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace sorban::handwriting
