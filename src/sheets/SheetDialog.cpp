#include "sheets/SheetDialog.h"

#include "data/KanjiStore.h"
#include "platform/widgets/FormStyle.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace sorban::sheets {

std::vector<std::int32_t> kanjiForScope(const data::KanjiStore& store, const SheetScope& scope, std::int32_t current,
                                        const std::array<std::string, 10>& memo)
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
    }
    return numbers;
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
    case SheetScope::Kind::Current:
        break;
    }
    return (currentKanji.isEmpty() ? QStringLiteral("漢字") : currentKanji) + QStringLiteral(".pdf");
}

SheetDialog::SheetDialog(const QString& title, const QString& currentKanji, std::int32_t current, int currentGrade, int memoCount,
                         QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("どの漢字を%1しますか。").arg(title), this), 0, 0, 1, 4);
    m_current = new QRadioButton(QStringLiteral("表示中の漢字(&C)：%1（漢字番号 %2）").arg(currentKanji).arg(current), this);
    m_memo = new QRadioButton(QStringLiteral("メモの漢字(&M)：%1字").arg(memoCount), this);
    m_memo->setEnabled(memoCount > 0);
    m_grade = new QRadioButton(QStringLiteral("学年の漢字すべて(&G)："), this);
    m_gradeBox = new QSpinBox(this);
    m_gradeBox->setRange(1, 6);
    m_gradeBox->setSuffix(QStringLiteral("年"));
    m_gradeBox->setValue(currentGrade >= 1 && currentGrade <= 6 ? currentGrade : 1);
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
    m_current->setChecked(true);
    layout->addWidget(m_current, 1, 0, 1, 4);
    layout->addWidget(m_memo, 2, 0, 1, 4);
    layout->addWidget(m_grade, 3, 0);
    layout->addWidget(m_gradeBox, 3, 1);
    layout->addWidget(m_range, 4, 0);
    layout->addWidget(m_fromBox, 4, 1);
    layout->addWidget(new QLabel(QStringLiteral("～"), this), 4, 2);
    layout->addWidget(m_toBox, 4, 3);
    // Changing a number chooses the line it stands on.
    connect(m_gradeBox, &QSpinBox::valueChanged, m_grade, [this] { m_grade->setChecked(true); });
    for (QSpinBox* box : {m_fromBox, m_toBox})
        connect(box, &QSpinBox::valueChanged, m_range, [this] { m_range->setChecked(true); });
    m_noExamples = new QCheckBox(QStringLiteral("用例を省く(&X)"), this);
    m_noPicture = new QCheckBox(QStringLiteral("筆順の図を省く(&Z)"), this);
    m_twoPerPage = new QCheckBox(QStringLiteral("1枚に2字（A4の半分ずつ）(&W)"), this);
    layout->addWidget(m_noExamples, 5, 0, 1, 4);
    layout->addWidget(m_noPicture, 6, 0, 1, 4);
    layout->addWidget(m_twoPerPage, 7, 0, 1, 4);
    layout->addWidget(platform::makeOkCancelButtons(this), 8, 0, 1, 4);
}

SheetOptions SheetDialog::options() const
{
    return {!m_noExamples->isChecked(), !m_noPicture->isChecked(), m_twoPerPage->isChecked()};
}

SheetScope SheetDialog::scope() const
{
    SheetScope scope;
    scope.kind = m_memo->isChecked()    ? SheetScope::Kind::Memo
                 : m_grade->isChecked() ? SheetScope::Kind::Grade
                 : m_range->isChecked() ? SheetScope::Kind::Range
                                        : SheetScope::Kind::Current;
    scope.grade = m_gradeBox->value();
    scope.from = std::min(m_fromBox->value(), m_toBox->value());
    scope.to = std::max(m_fromBox->value(), m_toBox->value());
    return scope;
}

} // namespace sorban::sheets
