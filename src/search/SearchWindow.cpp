#include "search/SearchWindow.h"

#include "data/KanjiStore.h"
#include "platform/core/Dialogs.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/StringGrid.h"
#include "settings/Selection.h"
#include "settings/Settings.h"

#include <QCloseEvent>
#include <QPushButton>

namespace sorban::search {

const char* const NotEducationKanji = "選択した文字は教育漢字ではありません。";

SearchWindow::SearchWindow(SearchContext context, PositionKeys keys, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_context(std::move(context)), m_keys(keys)
{
    StringGrid1 = new platform::StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setRangeSelect(true);
    connect(StringGrid1, &platform::StringGrid::mouseUp, this, &SearchWindow::StringGrid1MouseUp);
    connect(StringGrid1, &platform::StringGrid::keyDown, this, &SearchWindow::StringGrid1KeyDown);
}

void SearchWindow::StringGrid1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint& pos)
{
    const QPoint cell = StringGrid1->MouseToCell(pos);
    pick(cell.x(), cell.y(), true);
}

void SearchWindow::StringGrid1KeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape || key == Qt::Key_Delete)
        SpeedButton1Click();
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        pick(StringGrid1->col(), StringGrid1->row(), false);
}

void SearchWindow::pick(int col, int row, bool)
{
    pickText(StringGrid1->cell(col, row), true, NotEducationKanji, "ご報告!!");
}

void SearchWindow::setupWindow(const QString& title, int width, int height, const QColor& color, const QFont& font)
{
    setWindowTitle(title);
    setFixedSize(width, height);
    platform::placeControl(this, QRect(0, 0, width, height), font, platform::colors::Black, color);
}

void SearchWindow::FormCreate()
{
    move(m_context.settings.*m_keys.left, m_context.settings.*m_keys.top);
    StringGrid1->beginRefill();
    readTable();
    StringGrid1->endRefill();
}

void SearchWindow::setupCloseButton(const QRect& geometry, const QFont& font, const QColor& color)
{
    SpeedButton1 = new QPushButton(QStringLiteral("閉(ESC/DEL)"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    platform::placeControl(SpeedButton1, geometry, font, color);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QPushButton::clicked, this, &SearchWindow::SpeedButton1Click);
}

void SearchWindow::SpeedButton1Click()
{
    close();
}

void SearchWindow::showKanji(std::int32_t n)
{
    m_context.selection.KanNum = n;
    m_context.HyouDsp();
}

void SearchWindow::pickText(const std::string& sjis, bool beepWhenEmpty, const std::string& text, const std::string& caption)
{
    if (sjis.empty()) {
        if (beepWhenEmpty)
            platform::dialogs().beep();
        return;
    }
    const auto n = m_context.store.FindKanji(sjis);
    if (!n) {
        platform::dialogs().messageBox(text, caption);
        return;
    }
    showKanji(*n);
}

void SearchWindow::closeEvent(QCloseEvent* event)
{
    m_context.settings.*m_keys.left = x();
    m_context.settings.*m_keys.top = y();
    emit closed();
    event->accept();
}

} // namespace sorban::search
