#pragma once

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QPushButton;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::settings {
class Settings;
struct Selection;
} // namespace sorban::settings
namespace sorban::platform {
class StringGrid;
}

namespace sorban::search {

/// What a search window needs of the program: the store, the selection a pick changes, the
/// settings values, the data folder and the main window's HyouDsp.
struct SearchContext {
    data::KanjiStore& store;
    settings::Selection& selection;
    settings::Settings& settings;
    std::filesystem::path dataDir;
    std::function<void()> HyouDsp;
};

/// What the four search windows share: a fixed-size window with a table, the pick of a cell into
/// the main window, Escape and Delete and the close button, and the window's position kept in the
/// settings values when it closes. A closed window is kept hidden; each opening makes it anew
/// with FormCreate, as a new window would be.
class SearchWindow : public QWidget {
    Q_OBJECT

public:
    /// Where each window keeps its left and top edges.
    struct PositionKeys {
        std::int32_t settings::Settings::*left;
        std::int32_t settings::Settings::*top;
    };

    SearchWindow(SearchContext context, PositionKeys keys, QWidget* parent = nullptr);

    /// Places the window from its settings values and reads its table from its file again; a cell
    /// the file no longer fills is emptied.
    void FormCreate();

    void SpeedButton1Click();
    void StringGrid1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void StringGrid1KeyDown(int key, Qt::KeyboardModifiers modifiers);

signals:
    /// The window closes, however it is closed: the main window clears its open flag.
    void closed();

protected:
    /// Sizes the client area, sets colour and title.
    void setupWindow(const QString& title, int width, int height, const QColor& color, const QFont& font);
    void setupCloseButton(const QRect& geometry, const QFont& font, const QColor& color);
    /// The usual pick: an empty cell beeps, a text that is no education kanji is reported under
    /// `caption`, an education kanji becomes the current kanji of the main window.
    void pickText(const std::string& sjis, bool beepWhenEmpty, const std::string& text, const std::string& caption);
    /// The pick of cell (col, row), after a mouse release or Enter; -1, -1 lies outside every cell.
    virtual void pick(int col, int row, bool byMouse);
    /// Reads the window's file into its table, with the file's own boxes for a missing file or a bad field.
    virtual void readTable() = 0;
    /// Shows kanji `n` in the main window.
    void showKanji(std::int32_t n);

    void closeEvent(QCloseEvent* event) override;

    platform::StringGrid* StringGrid1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    SearchContext m_context;

private:
    PositionKeys m_keys;
};

/// The text with which the four windows refuse a text that is no education kanji.
extern const char* const NotEducationKanji;

} // namespace sorban::search
