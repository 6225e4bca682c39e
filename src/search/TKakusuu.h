#pragma once

#include "search/GroupedList.h"
#include "search/SearchWindow.h"

namespace sorban::platform {
class Canvas;
struct CellState;
} // namespace sorban::platform

namespace sorban::search {

/// The stroke-count search window: the kanji of Kaksu_srch.csv by stroke count, 40 to a row.
class TKakusuu : public SearchWindow {
    Q_OBJECT

public:
    explicit TKakusuu(SearchContext context, QWidget* parent = nullptr);

    void KksDataRead();
    void KksHyouDsp();
    void StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);

    /// The entries read from the file.
    const std::vector<GroupedEntry>& entries() const { return m_entries; }

protected:
    void readTable() override;

private:
    std::vector<GroupedEntry> m_entries;
};

/// The drawing of the stroke-count and grade tables: selected cells red, columns 10, 20, 30, 40
/// pale pink, each with its text centred.
void drawGroupedCell(platform::StringGrid& grid, int col, int row, const QRect& rect, const platform::CellState& state,
                     platform::Canvas& canvas);

} // namespace sorban::search
