// TsorbanForm: every way of choosing a kanji on the main window, and the memo list.
#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "platform/core/DataFields.h"
#include "platform/core/Dialogs.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/KeyPreview.h"
#include "platform/widgets/StringGrid.h"
#include "platform/widgets/UpDown.h"
#include "settings/Selection.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QValidator>

namespace sorban::app {
namespace {

using data::MaxKanji;

constexpr std::size_t KanjiBoxBytes = 8;

std::size_t sjisBytes(const QString& text)
{
    return platform::utf8ToSjis(text.toStdString()).size();
}

// The kanji box holds at most 8 bytes of Shift-JIS: four kanji, or eight half-width letters. What
// is typed or pasted beyond them is cut off, as an edit box with a text limit does.
class SjisByteLimit : public QValidator {
public:
    explicit SjisByteLimit(QLineEdit* box) : QValidator(box), m_shown(box->text())
    {
        // The box's own text already holds the change while it is checked: the one shown before
        // is kept here.
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { m_shown = text; });
    }
    State validate(QString& input, int& pos) const override
    {
        if (sjisBytes(input) <= KanjiBoxBytes)
            return Acceptable;
        // What was inserted lies between the part before it and the part after it that the box
        // held already; it keeps as many of its characters as there is room for.
        const QString& old = m_shown;
        qsizetype head = 0;
        while (head < old.size() && head < input.size() && old[head] == input[head])
            ++head;
        qsizetype tail = 0;
        while (tail < old.size() - head && tail < input.size() - head && old[old.size() - 1 - tail] == input[input.size() - 1 - tail])
            ++tail;
        QString inserted = input.mid(head, input.size() - head - tail);
        const QString kept = input.left(head) + input.right(tail);
        while (!inserted.isEmpty() && sjisBytes(kept) + sjisBytes(inserted) > KanjiBoxBytes)
            inserted.chop(inserted.size() >= 2 && inserted.back().isLowSurrogate() ? 2 : 1);
        input = input.left(head) + inserted + input.right(tail);
        pos = static_cast<int>(head + inserted.size());
        return sjisBytes(input) <= KanjiBoxBytes ? Acceptable : Invalid;
    }

private:
    QString m_shown;
};

} // namespace

void TsorbanForm::setupSelection()
{
    // The window's own filter sees every event first: the number box's keys, the arrow label's
    // clicks and the accelerators a menu title contests.
    qApp->installEventFilter(this);
    new platform::KeyPreview(this, [this](int key, Qt::KeyboardModifiers modifiers) { FormKeyDown(key, modifiers); });
    Edit2->setValidator(new SjisByteLimit(Edit2));
    // A right click on a box shows the window's popup menu, not the box's own.
    Edit1->setContextMenuPolicy(Qt::NoContextMenu);
    Edit2->setContextMenuPolicy(Qt::NoContextMenu);
    connect(SpeedButton1, &QPushButton::clicked, this, &TsorbanForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TsorbanForm::SpeedButton2Click);
    connect(UpDown1, &platform::UpDown::clicked, this, &TsorbanForm::UpDown1Click);
    connect(SpeedButton8, &QPushButton::clicked, this, &TsorbanForm::SpeedButton8Click);
    connect(SpeedButton9, &QPushButton::clicked, this, &TsorbanForm::SpeedButton9Click);
    connect(SpeedButton10, &QPushButton::clicked, this, &TsorbanForm::SpeedButton10Click);
    connect(SpeedButton11, &QPushButton::clicked, this, &TsorbanForm::SpeedButton11Click);
    connect(SpeedButton12, &QPushButton::clicked, this, &TsorbanForm::SpeedButton12Click);
    connect(SpeedButton13, &QPushButton::clicked, this, &TsorbanForm::SpeedButton13Click);
    connect(StringGrid1, &platform::StringGrid::clicked, this, &TsorbanForm::StringGrid1Click);
    connect(Button1, &QPushButton::clicked, this, &TsorbanForm::MemoAdd);
    connect(ListBox1, &QListWidget::itemClicked, this, &TsorbanForm::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TsorbanForm::ListBox1DblClick);
}

void TsorbanForm::selectKanji(std::int32_t n)
{
    m_selection.KanNum = n;
    HyouDsp();
}

void TsorbanForm::reportNotEducationKanji()
{
    platform::dialogs().messageBox("選択した文字は教育漢字ではありません。", "ご報告!!");
}

void TsorbanForm::SpeedButton2Click()
{
    const std::int32_t n = platform::intOr(Edit1->text().toStdString(), -1);
    if (n < 1 || n > MaxKanji) {
        platform::dialogs().messageBox("漢字番号は 1～1026 の範囲で入力してください。", "ご報告!!");
        return;
    }
    selectKanji(n);
}

void TsorbanForm::UpDown1Click()
{
    Edit1->setText(QString::number(UpDown1->position()));
    selectKanji(UpDown1->position());
}

void TsorbanForm::SpeedButton1Click()
{
    const std::string typed = platform::utf8ToSjis(Edit2->text().toStdString());
    if (typed.empty()) {
        platform::dialogs().beep();
        return;
    }
    const auto n = m_store.FindKanji(typed.substr(0, 2));
    if (!n) {
        reportNotEducationKanji();
        return;
    }
    selectKanji(*n);
}

void TsorbanForm::StaticText9Click()
{
    UpDown1->setPosition(m_selection.KanNum);
    Edit1->setText(QString::number(m_selection.KanNum));
    Edit2->setText(QString::fromStdString(platform::sjisToUtf8(m_store.KanjiText[static_cast<std::size_t>(m_selection.KanNum)])));
}

void TsorbanForm::SpeedButton8Click()
{
    selectKanji(m_selection.KanNum == MaxKanji ? 1 : m_selection.KanNum + 1);
}

void TsorbanForm::SpeedButton9Click()
{
    selectKanji(m_selection.KanNum == 1 ? MaxKanji : m_selection.KanNum - 1);
}

void TsorbanForm::SpeedButton10Click()
{
    selectKanji(m_selection.KanNum + 10 > MaxKanji ? MaxKanji : m_selection.KanNum + 10);
}

void TsorbanForm::SpeedButton11Click()
{
    selectKanji(m_selection.KanNum <= 10 ? 1 : m_selection.KanNum - 10);
}

void TsorbanForm::SpeedButton12Click()
{
    selectKanji(1);
}

void TsorbanForm::SpeedButton13Click()
{
    selectKanji(MaxKanji);
}

void TsorbanForm::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    // Letters typed into the kanji box belong to its input method, as readings, not to the window.
    const bool inKanjiBox = QApplication::focusWidget() == Edit2;
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    if (inKanjiBox && letter)
        return;
    switch (key) {
    case Qt::Key_J:
        J1Click();
        break;
    case Qt::Key_Down:
        SpeedButton8Click();
        break;
    case Qt::Key_Up:
        SpeedButton9Click();
        break;
    case Qt::Key_PageDown:
        SpeedButton10Click();
        break;
    case Qt::Key_PageUp:
        SpeedButton11Click();
        break;
    case Qt::Key_Right:
        if (SpeedButton14->isEnabled())
            SpeedButton14Click();
        break;
    case Qt::Key_B:
        B1Click();
        break;
    case Qt::Key_N:
        H1Click();
        break;
    case Qt::Key_Y:
        SpeedButton6Click();
        break;
    case Qt::Key_K:
        K2Click();
        break;
    default:
        break;
    }
}

void TsorbanForm::Edit1KeyDown()
{
    m_edit1DigitsOnly = true;
}

void TsorbanForm::StringGrid1Click()
{
    Edit1->setFocus();
}

void TsorbanForm::focus_set0()
{
    StringGrid1->setCurrent(6, 10);
    StringGrid1->setFocus();
    StringGrid2->setCurrent(5, 1);
    StringGrid2->setFocus();
}

void TsorbanForm::showMemoList()
{
    ListBox1->clear();
    for (const auto& entry : m_settings.Memo) {
        auto* item = new QListWidgetItem(QString::fromStdString(platform::sjisToUtf8(entry)), ListBox1);
        item->setSizeHint(QSize(ListBox1->width() - 2, 17));
        item->setTextAlignment(Qt::AlignCenter);
    }
}

void TsorbanForm::MemoAdd()
{
    const std::string& kanji = m_store.KanjiText[static_cast<std::size_t>(m_selection.KanNum)];
    auto& memo = m_settings.Memo;
    if (std::find(memo.begin(), memo.end(), kanji) != memo.end())
        return;
    std::move_backward(memo.begin(), memo.end() - 1, memo.end());
    memo.front() = kanji;
    showMemoList();
}

void TsorbanForm::ListBox1Click()
{
    Edit1->setFocus();
    Edit1->deselect();
}

void TsorbanForm::ListBox1DblClick()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= static_cast<int>(m_settings.Memo.size()))
        return; // a double click that selected no entry
    const auto n = m_store.FindKanji(m_settings.Memo[static_cast<std::size_t>(row)]);
    if (!n) {
        reportNotEducationKanji();
        return;
    }
    Edit1->setFocus();
    selectKanji(*n);
}

bool TsorbanForm::editKeyOfWindows(const QKeyEvent& key)
{
    // The boxes keep the keys a Windows edit box has; Qt's Unix extras (Ctrl+K deletes to the end,
    // Ctrl+U the line, Ctrl+W a word, ...) would clash with the window's Ctrl+letter keys.
    const Qt::KeyboardModifiers mods = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::ControlModifier || key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return true;
    return key.key() == Qt::Key_A || key.key() == Qt::Key_C || key.key() == Qt::Key_V || key.key() == Qt::Key_X || key.key() == Qt::Key_Z;
}

QPushButton* TsorbanForm::contestedAccelerator(const QKeyEvent& key) const
{
    if (key.modifiers() != Qt::AltModifier || key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return nullptr;
    const QKeySequence pressed(Qt::ALT | key.key());
    const auto actions = menuBar()->actions();
    if (std::none_of(actions.begin(), actions.end(), [&](QAction* a) { return QKeySequence::mnemonic(a->text()) == pressed; }))
        return nullptr;
    for (QPushButton* button : m_client->findChildren<QPushButton*>())
        if (button->isVisible() && button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed)
            return button;
    return nullptr;
}

bool TsorbanForm::eventFilter(QObject* watched, QEvent* event)
{
    // Alt with the underlined letter of a button presses that button even where a menu title
    // underlines the same letter (表示(&D) and 検索(&D)): the key goes on as a plain key press
    // instead of an ambiguous shortcut, and the menu stays reachable by Alt alone, then the letter.
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (keyEvent && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        if (QPushButton* button = contestedAccelerator(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                button->click(); // the window's key preview has seen the key already
            return true;
        }
    }

    // Ctrl+C copies a box's selected text; with nothing selected it copies the table (コピー).
    if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !static_cast<QLineEdit*>(watched)->hasSelectedText()) {
        event->ignore();
        return true;
    }
    if ((watched == Edit1 || watched == Edit2) && event->type() == QEvent::KeyPress && !editKeyOfWindows(*static_cast<QKeyEvent*>(event)))
        return true; // the window's key preview has had it; the box does nothing with it
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        Edit1KeyDown();
        // From its first key on, the number box takes the digits 0 to 9 only from the keyboard
        // (not the full-width ones, which the number input could not read).
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        const bool printable = typed && !text.isEmpty() && text.front().isPrint();
        if (m_edit1DigitsOnly && printable && (text.front() < u'0' || text.front() > u'9'))
            return true;
    }
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListBox1DblClick(); // Enter shows the entry, as a double click does
            return true;
        }
    }
    if (watched == StaticText9 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        StaticText9Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace sorban::app
