#pragma once

#include "search/SearchTableFiles.h"
#include "search/SearchWindow.h"

#include <array>
#include <string>
#include <vector>

namespace sorban::platform {
class Canvas;
struct CellState;
} // namespace sorban::platform

namespace sorban::search {

/// The radical search window: each line of Bs_srch.csv is a row of radicals, each followed by "≫"
/// and its kanji (readRadicalTable).
class TBusyu : public SearchWindow {
    Q_OBJECT

public:
    explicit TBusyu(SearchContext context, QWidget* parent = nullptr);

    void BsDataRead();
    void BsHyouDsp();
    void bsPosFind();
    /// Whether (col, row) is a radical cell: column 1, or one recorded by bsPosFind.
    bool bsPosCheck(int col, int row) const;
    void StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);

    /// The radical cells bsPosFind recorded: up to 200 (column, row) pairs.
    const std::vector<QPoint>& radicalCells() const { return m_radicalCells; }

protected:
    void readTable() override;
    void pick(int col, int row, bool byMouse) override;

private:
    RadicalTable m_table;
    std::vector<QPoint> m_radicalCells;
};

} // namespace sorban::search
