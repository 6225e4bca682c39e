#pragma once

#include "search/SearchWindow.h"

namespace sorban::platform {
class Canvas;
struct CellState;
} // namespace sorban::platform

namespace sorban::search {

/// The reading search window: rows of Yomi_srch.csv, a kana and the kanji whose readings begin
/// with it; the column numbers and the kana stay in view while the table scrolls.
class TYomiSrchF : public SearchWindow {
    Q_OBJECT

public:
    explicit TYomiSrchF(SearchContext context, QWidget* parent = nullptr);

    void YmiDataRead();
    void StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);

protected:
    void readTable() override;
    void pick(int col, int row, bool byMouse) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace sorban::search
