#pragma once

#include "sheets/PracticeSheet.h"
#include "sheets/SheetLayout.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGridLayout;
class QRadioButton;
class QSpinBox;

namespace sorban::data {
class KanjiStore;
}

namespace sorban::sheets {

/// Which kanji a print or PDF run takes.
struct SheetScope {
    enum class Kind { Current, Memo, Grade, Range, Volume };
    Kind kind = Kind::Current;
    int grade = 1; ///< allotted grade 1 to 6
    int from = 1;  ///< kanji numbers from..to, both included
    int to = 1;
    int column = 0;              ///< a volume's textbook column (0-based), also the practice sheets' examples' column
    std::int32_t volume = 11;    ///< the volume's code
    bool newReadingsToo = false; ///< a volume's kanji with new readings as well as its new kanji
};

/// The kanji a textbook column's volume brings, in page order: its new kanji, and with
/// `newReadingsToo` also the kanji met before whose new readings it brings.
using VolumeKanji = std::function<std::vector<std::int32_t>(int column, std::int32_t volume, bool newReadingsToo)>;

/// The kanji numbers of `scope` in page order: the current kanji; the memo list's kanji in its
/// order (entries that are no education kanji left out); a grade's kanji or a range, by number; a
/// volume's kanji as `volumeKanji` gives them.
std::vector<std::int32_t> kanjiForScope(const data::KanjiStore& store, const SheetScope& scope, std::int32_t current,
                                        const std::array<std::string, 10>& memo, const VolumeKanji& volumeKanji = {});

/// What a run of `scope` says it holds, as a PDF's title and a practice sheet's heading: "愛（漢字番号 1）",
/// "メモの漢字", "1年の漢字", "漢字番号 300～305", "４上 新出漢字（見本Ａ）".
QString titleOf(const SheetScope& scope, const QString& currentKanji, std::int32_t current, const QStringList& columnLabels);

/// The name a PDF of `scope` is offered under: "愛.pdf" (`currentKanji`), "メモ.pdf", "1年.pdf",
/// "漢字0300-0305.pdf".
QString suggestedFileName(const SheetScope& scope, const QString& currentKanji);

/// Where the choices of the sheet dialog start.
struct DialogStart {
    QString currentKanji;
    std::int32_t current = 1;
    int grade = 1;
    int memoCount = 0;
    QStringList columns; ///< the six textbook columns' labels
    QString kanjiFamily; ///< the practice sheets' font to begin with
};

/// The choice of kanji and of what the sheets show, before printing or saving as PDF: reference
/// sheets, or practice sheets (練習プリント), which are then printed or saved as the dialog's two
/// buttons say.
class SheetDialog : public QDialog {
public:
    enum class Kind { Reference, Practice };
    /// What a practice dialog was closed with.
    enum : int { PrintChosen = 1, PdfChosen = 2 };

    /// `title` names the run ("印刷", "PDFに保存", "練習プリント"); the choices start at the current
    /// kanji, its grade and its number.
    SheetDialog(const QString& title, Kind kind, const DialogStart& start, QWidget* parent);

    /// Begins at a volume of a textbook column, as the lesson-planning window asks.
    void chooseVolume(int column, std::int32_t volume);

    SheetScope scope() const;
    SheetOptions options() const;
    PracticeOptions practice() const;

private:
    void setupScope(const DialogStart& start, QGridLayout* layout);
    void setupOptions(Kind kind, const DialogStart& start, QGridLayout* layout);
    void setupButtons(Kind kind, QGridLayout* layout);

    QRadioButton* m_current;
    QRadioButton* m_memo;
    QRadioButton* m_grade;
    QRadioButton* m_range;
    QSpinBox* m_gradeBox;
    QSpinBox* m_fromBox;
    QSpinBox* m_toBox;
    QRadioButton* m_volume;
    QComboBox* m_columnBox;
    QComboBox* m_volumeBox;
    QCheckBox* m_newReadings;
    QCheckBox* m_noExamples = nullptr;
    QCheckBox* m_noPicture = nullptr;
    QCheckBox* m_twoPerPage = nullptr;
    QComboBox* m_boxSize = nullptr;
    QSpinBox* m_traces = nullptr;
    QFontComboBox* m_font = nullptr;
    QCheckBox* m_readings = nullptr;
    QCheckBox* m_examples = nullptr;
};

} // namespace sorban::sheets
