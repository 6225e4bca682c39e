#include "platform/widgets/FontDialog.h"

#include "platform/widgets/FormStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace sorban::platform {
namespace {

// The sixteen colours a font's colour is chosen from, as the system dialog offers them.
struct NamedColor {
    const char* name;
    std::uint32_t rgb;
};
constexpr NamedColor Colors[] = {
    {"黒", 0x000000},   {"茶", 0x800000},   {"緑", 0x008000},   {"オリーブ", 0x808000}, {"濃紺", 0x000080}, {"紫", 0x800080},
    {"青緑", 0x008080}, {"灰色", 0x808080}, {"銀", 0xC0C0C0},   {"赤", 0xFF0000},       {"黄緑", 0x00FF00}, {"黄", 0xFFFF00},
    {"青", 0x0000FF},   {"赤紫", 0xFF00FF}, {"水色", 0x00FFFF}, {"白", 0xFFFFFF},
};

} // namespace

FontDialog::FontDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_faces(new QListWidget(this)), m_underline(new QCheckBox(QStringLiteral("下線(&U)"), this)),
      m_strikeOut(new QCheckBox(QStringLiteral("取り消し線(&K)"), this)), m_color(new QComboBox(this)), m_sample(new QLabel(this))
{
    setWindowTitle(QStringLiteral("フォント"));
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            m_faces->addItem(family);
    const QString start = QString::fromStdString(initial.family);
    auto matches = m_faces->findItems(start, Qt::MatchExactly);
    if (matches.isEmpty()) // a face known by another name, such as a substituted one
        matches = m_faces->findItems(QFontInfo(QFont(start)).family(), Qt::MatchExactly);
    if (!matches.isEmpty())
        m_faces->setCurrentItem(matches.front());
    else if (m_faces->count() > 0)
        m_faces->setCurrentRow(0);
    m_underline->setChecked(initial.underline);
    m_strikeOut->setChecked(initial.strikeOut);
    for (const auto& c : Colors) {
        m_color->addItem(QString::fromUtf8(c.name), QVariant::fromValue(c.rgb));
        if (c.rgb == initial.rgb)
            m_color->setCurrentIndex(m_color->count() - 1);
    }
    m_sample->setText(QStringLiteral("漢字 Aa"));
    m_sample->setMinimumHeight(60);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameStyle(QFrame::Box | QFrame::Sunken);

    QDialogButtonBox* buttons = makeOkCancelButtons(this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("フォント名(&F):"), this), 0, 0);
    layout->addWidget(m_faces, 1, 0, 4, 1);
    layout->addWidget(new QLabel(QStringLiteral("文字飾り"), this), 0, 1);
    layout->addWidget(m_underline, 1, 1);
    layout->addWidget(m_strikeOut, 2, 1);
    layout->addWidget(m_color, 3, 1);
    layout->addWidget(m_sample, 5, 0, 1, 2);
    layout->addWidget(buttons, 6, 0, 1, 2);
    connect(m_faces, &QListWidget::currentRowChanged, this, &FontDialog::updateSample);
    connect(m_underline, &QCheckBox::toggled, this, &FontDialog::updateSample);
    connect(m_strikeOut, &QCheckBox::toggled, this, &FontDialog::updateSample);
    connect(m_color, &QComboBox::currentIndexChanged, this, &FontDialog::updateSample);
    updateSample();
}

FontChoice FontDialog::choice() const
{
    FontChoice c;
    if (m_faces->currentItem())
        c.family = m_faces->currentItem()->text().toStdString();
    c.underline = m_underline->isChecked();
    c.strikeOut = m_strikeOut->isChecked();
    c.rgb = m_color->currentData().toUInt();
    return c;
}

void FontDialog::updateSample()
{
    const FontChoice c = choice();
    QFont font(QString::fromStdString(c.family));
    font.setPixelSize(32);
    font.setUnderline(c.underline);
    font.setStrikeOut(c.strikeOut);
    m_sample->setFont(font);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(c.rgb));
    m_sample->setPalette(palette);
}

} // namespace sorban::platform
