#include "sheets/SheetDialog.h"

#include "data/KanjiStore.h"
#include "data/VolumeOrder.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/FormStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace sorban::sheets {

std::vector<std::int32_t> kanjiForScope(const data::KanjiStore& store, const SheetScope& scope, std::int32_t current,
                                        const std::array<std::string, 10>& memo, const VolumeKanji& volumeKanji)
{
    std::vector<std::int32_t> numbers;
    switch (scope.kind) {
    case SheetScope::Kind::Current:
        if (data::KanjiStore::isKanjiNumber(current))
            numbers.push_back(current);
        break;
    case SheetScope::Kind::Memo:
        for (const std::string& entry : memo)
            if (const auto n = entry.empty() ? std::nullopt : store.FindKanji(entry))
                numbers.push_back(*n);
        break;
    case SheetScope::Kind::Grade:
        for (std::int32_t n = 1; n <= data::MaxKanji; ++n)
            if (store.HaitouNen[static_cast<std::size_t>(n - 1)] == scope.grade)
                numbers.push_back(n);
        break;
    case SheetScope::Kind::Range:
        for (std::int32_t n = std::max(1, scope.from); n <= std::min<std::int32_t>(data::MaxKanji, scope.to); ++n)
            numbers.push_back(n);
        break;
    case SheetScope::Kind::Volume:
        if (volumeKanji)
            numbers = volumeKanji(scope.column, scope.volume, scope.newReadingsToo);
        break;
    }
    return numbers;
}

QString titleOf(const SheetScope& scope, const QString& currentKanji, std::int32_t current, const QStringList& columnLabels)
{
    switch (scope.kind) {
    case SheetScope::Kind::Memo:
        return QStringLiteral("メモの漢字");
    case SheetScope::Kind::Grade:
        return QStringLiteral("%1年の漢字").arg(scope.grade);
    case SheetScope::Kind::Range:
        return QStringLiteral("漢字番号 %1～%2").arg(scope.from).arg(scope.to);
    case SheetScope::Kind::Volume:
        return QString::fromStdString(platform::sjisToUtf8(data::volumeLabel(scope.volume)))
               + (scope.newReadingsToo ? QStringLiteral(" 新出漢字・新出読み（") : QStringLiteral(" 新出漢字（"))
               + columnLabels.value(scope.column) + QStringLiteral("）");
    case SheetScope::Kind::Current:
        break;
    }
    return currentKanji + QStringLiteral("（漢字番号 %1）").arg(current);
}

QString suggestedFileName(const SheetScope& scope, const QString& currentKanji)
{
    switch (scope.kind) {
    case SheetScope::Kind::Memo:
        return QStringLiteral("メモ.pdf");
    case SheetScope::Kind::Grade:
        return QStringLiteral("%1年.pdf").arg(scope.grade);
    case SheetScope::Kind::Range:
        return QStringLiteral("漢字%1-%2.pdf").arg(scope.from, 4, 10, QLatin1Char('0')).arg(scope.to, 4, 10, QLatin1Char('0'));
    case SheetScope::Kind::Volume:
        return QString::fromStdString(platform::sjisToUtf8(data::volumeLabel(scope.volume))) + QStringLiteral("_新出.pdf");
    case SheetScope::Kind::Current:
        break;
    }
    return (currentKanji.isEmpty() ? QStringLiteral("漢字") : currentKanji) + QStringLiteral(".pdf");
}

SheetDialog::SheetDialog(const QString& title, Kind kind, const DialogStart& start, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QGridLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("どの漢字を%1しますか。").arg(kind == Kind::Practice ? QStringLiteral("練習プリントに") : title), this),
        0, 0, 1, 4);
    setupScope(start, layout);
    setupOptions(kind, start, layout);
    setupButtons(kind, layout);
}

void SheetDialog::setupScope(const DialogStart& start, QGridLayout* layout)
{
    const std::int32_t current = start.current;
    m_current = new QRadioButton(QStringLiteral("表示中の漢字(&C)：%1（漢字番号 %2）").arg(start.currentKanji).arg(current), this);
    m_memo = new QRadioButton(QStringLiteral("メモの漢字(&M)：%1字").arg(start.memoCount), this);
    m_memo->setEnabled(start.memoCount > 0);
    m_grade = new QRadioButton(QStringLiteral("学年の漢字すべて(&G)："), this);
    m_gradeBox = new QSpinBox(this);
    m_gradeBox->setRange(1, 6);
    m_gradeBox->setSuffix(QStringLiteral("年"));
    m_gradeBox->setValue(start.grade >= 1 && start.grade <= 6 ? start.grade : 1);
    m_gradeBox->setAccessibleName(QStringLiteral("学年"));
    m_range = new QRadioButton(QStringLiteral("漢字番号の範囲(&R)："), this);
    m_fromBox = new QSpinBox(this);
    m_toBox = new QSpinBox(this);
    for (QSpinBox* box : {m_fromBox, m_toBox}) {
        box->setRange(1, data::MaxKanji);
        box->setValue(data::KanjiStore::isKanjiNumber(current) ? current : 1);
    }
    m_fromBox->setAccessibleName(QStringLiteral("最初の漢字番号"));
    m_toBox->setAccessibleName(QStringLiteral("最後の漢字番号"));
    m_volume = new QRadioButton(QStringLiteral("教科書の巻の新出漢字(&V)："), this);
    m_columnBox = new QComboBox(this);
    m_columnBox->addItems(start.columns);
    m_columnBox->setAccessibleName(QStringLiteral("教科書"));
    m_volumeBox = new QComboBox(this);
    for (const std::int32_t code : data::VolumeCodes)
        m_volumeBox->addItem(QString::fromStdString(platform::sjisToUtf8(data::volumeLabel(code))), code);
    m_volumeBox->setAccessibleName(QStringLiteral("巻"));
    m_newReadings = new QCheckBox(QStringLiteral("新出読みの漢字も(&N)"), this);
    m_current->setChecked(true);
    layout->addWidget(m_current, 1, 0, 1, 4);
    layout->addWidget(m_memo, 2, 0, 1, 4);
    layout->addWidget(m_grade, 3, 0);
    layout->addWidget(m_gradeBox, 3, 1);
    layout->addWidget(m_range, 4, 0);
    layout->addWidget(m_fromBox, 4, 1);
    layout->addWidget(new QLabel(QStringLiteral("～"), this), 4, 2);
    layout->addWidget(m_toBox, 4, 3);
    layout->addWidget(m_volume, 5, 0);
    layout->addWidget(m_columnBox, 5, 1);
    layout->addWidget(m_volumeBox, 5, 3);
    layout->addWidget(m_newReadings, 6, 1, 1, 3);
    // Changing a number or a choice chooses the line it stands on.
    connect(m_gradeBox, &QSpinBox::valueChanged, m_grade, [this] { m_grade->setChecked(true); });
    for (QSpinBox* box : {m_fromBox, m_toBox})
        connect(box, &QSpinBox::valueChanged, m_range, [this] { m_range->setChecked(true); });
    for (QComboBox* box : {m_columnBox, m_volumeBox})
        connect(box, &QComboBox::currentIndexChanged, m_volume, [this] { m_volume->setChecked(true); });
    connect(m_newReadings, &QCheckBox::toggled, m_volume, [this] { m_volume->setChecked(true); });
}

void SheetDialog::setupOptions(Kind kind, const DialogStart& start, QGridLayout* layout)
{
    if (kind == Kind::Reference) {
        m_noExamples = new QCheckBox(QStringLiteral("用例を省く(&X)"), this);
        m_noPicture = new QCheckBox(QStringLiteral("筆順の図を省く(&Z)"), this);
        m_twoPerPage = new QCheckBox(QStringLiteral("1枚に2字（A4の半分ずつ）(&W)"), this);
        layout->addWidget(m_noExamples, 7, 0, 1, 4);
        layout->addWidget(m_noPicture, 8, 0, 1, 4);
        layout->addWidget(m_twoPerPage, 9, 0, 1, 4);
        return;
    }
    m_boxSize = new QComboBox(this);
    for (const int mm : {14, 17, 25})
        m_boxSize->addItem(QStringLiteral("%1 mm").arg(mm), mm);
    m_boxSize->setCurrentIndex(1);
    m_traces = new QSpinBox(this);
    m_traces->setRange(0, 4);
    m_traces->setValue(2);
    m_font = new QFontComboBox(this);
    m_font->setWritingSystem(QFontDatabase::Japanese);
    m_font->setCurrentFont(QFont(start.kanjiFamily));
    m_readings = new QCheckBox(QStringLiteral("読みを入れる(&Y)"), this);
    m_examples = new QCheckBox(QStringLiteral("用例を入れる(&L)"), this);
    for (QCheckBox* box : {m_readings, m_examples})
        box->setChecked(true);
    const std::pair<QString, QWidget*> rows[] = {{QStringLiteral("ます目の大きさ(&S)："), m_boxSize},
                                                 {QStringLiteral("なぞり書きのます(&T)："), m_traces},
                                                 {QStringLiteral("手本の字体(&F)："), m_font}};
    int row = 7;
    for (const auto& [text, field] : rows) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        layout->addWidget(label, row, 0);
        layout->addWidget(field, row++, 1, 1, 3);
    }
    layout->addWidget(m_readings, row, 0, 1, 2);
    layout->addWidget(m_examples, row, 2, 1, 2);
}

void SheetDialog::setupButtons(Kind kind, QGridLayout* layout)
{
    if (kind == Kind::Reference) {
        layout->addWidget(platform::makeOkCancelButtons(this), 11, 0, 1, 4);
        return;
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(QStringLiteral("印刷(&P)..."), QDialogButtonBox::AcceptRole);
    QPushButton* pdf = buttons->addButton(QStringLiteral("PDFに保存(&E)..."), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this] { done(PrintChosen); });
    connect(pdf, &QPushButton::clicked, this, [this] { done(PdfChosen); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 11, 0, 1, 4);
}

void SheetDialog::chooseVolume(int column, std::int32_t volume)
{
    m_columnBox->setCurrentIndex(column);
    m_volumeBox->setCurrentIndex(std::max(0, m_volumeBox->findData(volume)));
    m_volume->setChecked(true);
}

SheetScope SheetDialog::scope() const
{
    SheetScope scope;
    scope.kind = m_memo->isChecked()     ? SheetScope::Kind::Memo
                 : m_grade->isChecked()  ? SheetScope::Kind::Grade
                 : m_range->isChecked()  ? SheetScope::Kind::Range
                 : m_volume->isChecked() ? SheetScope::Kind::Volume
                                         : SheetScope::Kind::Current;
    scope.grade = m_gradeBox->value();
    scope.from = std::min(m_fromBox->value(), m_toBox->value());
    scope.to = std::max(m_fromBox->value(), m_toBox->value());
    scope.column = std::max(0, m_columnBox->currentIndex());
    scope.volume = m_volumeBox->currentData().toInt();
    scope.newReadingsToo = m_newReadings->isChecked();
    return scope;
}

SheetOptions SheetDialog::options() const
{
    if (!m_noExamples)
        return {};
    return {!m_noExamples->isChecked(), !m_noPicture->isChecked(), m_twoPerPage->isChecked()};
}

PracticeOptions SheetDialog::practice() const
{
    if (!m_boxSize)
        return {};
    return {m_boxSize->currentData().toInt(), m_traces->value(), m_font->currentFont().family(), m_readings->isChecked(),
            m_examples->isChecked()};
}

} // namespace sorban::sheets
