#pragma once

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
/// and its kanji.
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

    std::vector<std::string> rowLines;   ///< up to 50 lines as read, line end included
    std::vector<QPoint> radicalCells;    ///< up to 200 (column, row) pairs

protected:
    void pick(int col, int row, bool byMouse) override;
};

} // namespace sorban::search
