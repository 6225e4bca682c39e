#pragma once

#include <cstdint>
#include <string>

namespace sorban::settings {

/// The view state the user changes, under its own names: which kanji the main window shows and
/// how. The main window owns the one Selection and hands it to whatever changes it; the settings
/// file keeps KanNum and ReturnMode from one run to the next. Texts are Shift-JIS.
struct Selection {
    std::int32_t KanNum = 0;     ///< the kanji shown, 1 to 1026
    std::string KanjiNow;        ///< its text, as HyouDsp last showed it
    std::int32_t YomiRows = 0;   ///< how many rows of the appearance table are in use
    int GokuMode = 0;            ///< 1 while the table shows usage examples
    int GokuLoaded = 0;          ///< 1 once loading the example file was tried
    std::int32_t ReturnMode = 0; ///< 1: a change of kanji keeps the example view
    std::string ExeDir;          ///< the executable's folder, with its trailing separator
};

} // namespace sorban::settings
