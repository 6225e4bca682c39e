#pragma once

#include "search/GroupedList.h"
#include "search/SearchWindow.h"

class QLabel;

namespace sorban::platform {
class Canvas;
struct CellState;
} // namespace sorban::platform

namespace sorban::search {

/// The grade search window: the kanji of HaiNen_srch.csv by allotted grade, 40 to a row.
class THaitouSrch : public SearchWindow {
    Q_OBJECT

public:
    explicit THaitouSrch(SearchContext context, QWidget* parent = nullptr);

    void NenDataRead();
    void NenHyouDsp();
    void StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);

    /// The entries read from the file.
    const std::vector<GroupedEntry>& entries() const { return m_entries; }

protected:
    void readTable() override;

private:
    QLabel* StaticText3 = nullptr; // the edition label of the file
    std::vector<GroupedEntry> m_entries;
};

} // namespace sorban::search
