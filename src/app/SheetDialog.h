#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QRadioButton;
class QSpinBox;

namespace sorban::data {
class KanjiStore;
}

namespace sorban::app {

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

/// The choice of kanji before printing or saving as PDF.
class SheetDialog : public QDialog {
public:
    /// `title` names the run ("印刷" or "PDFに保存"); the choices start at the current kanji, its
    /// grade and its number.
    SheetDialog(const QString& title, const QString& currentKanji, std::int32_t current, int currentGrade, int memoCount, QWidget* parent);

    SheetScope scope() const;

private:
    QRadioButton* m_current;
    QRadioButton* m_memo;
    QRadioButton* m_grade;
    QRadioButton* m_range;
    QSpinBox* m_gradeBox;
    QSpinBox* m_fromBox;
    QSpinBox* m_toBox;
};

} // namespace sorban::app
