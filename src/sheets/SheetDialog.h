#pragma once

#include "sheets/SheetLayout.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace sorban::data {
class KanjiStore;
}

namespace sorban::sheets {

/// Which kanji a print or PDF run takes.
struct SheetScope {
    enum class Kind { Current, Memo, Grade, Range };
    Kind kind = Kind::Current;
    int grade = 1; ///< allotted grade 1 to 6
    int from = 1;  ///< kanji numbers from..to, both included
    int to = 1;
};

/// The kanji numbers of `scope` in page order: the current kanji; the memo list's kanji in its
/// order (entries that are no education kanji left out); a grade's kanji or a range, by number.
std::vector<std::int32_t> kanjiForScope(const data::KanjiStore& store, const SheetScope& scope, std::int32_t current,
                                        const std::array<std::string, 10>& memo);

/// The name a PDF of `scope` is offered under: "愛.pdf" (`currentKanji`), "メモ.pdf", "1年.pdf",
/// "漢字0300-0305.pdf".
QString suggestedFileName(const SheetScope& scope, const QString& currentKanji);

/// The choice of kanji and of what the sheets show, before printing or saving as PDF.
class SheetDialog : public QDialog {
public:
    /// `title` names the run ("印刷" or "PDFに保存"); the choices start at the current kanji, its
    /// grade and its number.
    SheetDialog(const QString& title, const QString& currentKanji, std::int32_t current, int currentGrade, int memoCount, QWidget* parent);

    SheetScope scope() const;
    SheetOptions options() const;

private:
    QRadioButton* m_current;
    QRadioButton* m_memo;
    QRadioButton* m_grade;
    QRadioButton* m_range;
    QSpinBox* m_gradeBox;
    QSpinBox* m_fromBox;
    QSpinBox* m_toBox;
    QCheckBox* m_noExamples;
    QCheckBox* m_noPicture;
    QCheckBox* m_twoPerPage;
};

} // namespace sorban::sheets
