#pragma once

#include "jukuji/JukujiTables.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::platform {
class Canvas;
class StringGrid;
struct CellState;
} // namespace sorban::platform

namespace sorban::jukuji {

/// The jukujikun window: one table of special-reading words with, per textbook column, where each
/// first appears or, in the example view, an example. Closing only hides it.
class TJukujiForm : public QWidget {
    Q_OBJECT

public:
    TJukujiForm(const data::KanjiStore& store, std::filesystem::path dataDir, QWidget* parent = nullptr);

    void JhyouRead();
    void JgokuRead();
    void JhyouDsp();
    void JgokuRandDClick();
    void C1Click();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void StringGrid3DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);

    bool exampleView() const { return m_exampleView; }
    /// The tables the window shows, as read at start (its examples once first shown), which the
    /// lesson-planning window lists too.
    JukujiTables& jukujiTables() { return tables; }

private:
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText6 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    platform::StringGrid* StringGrid3 = nullptr;
    JukujiTables tables;

    void FormCreate(const data::KanjiStore& store);
    void showLabel(const std::string& sjis);

    std::filesystem::path m_dataDir;
    bool m_exampleView = false;
};

} // namespace sorban::jukuji
