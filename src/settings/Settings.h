#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace sorban::settings {

struct Selection;

/// The program's settings while it runs, and their file sorban.ini: window positions, the kanji
/// font's face name and the memo entries here; KANNUM and TGLREN live in the Selection as KanNum
/// and ReturnMode. Texts are Shift-JIS.
class Settings {
public:
    Settings();

    /// The settings file to read and the one to write.
    struct Files {
        std::filesystem::path read;
        std::filesystem::path write;
    };

    /// sorban.ini beside the executable (`exeDir`), read and written there while that
    /// folder and file can be written, as a copy kept in a folder of its own has it. Otherwise
    /// (a system folder, a write-protected stick or share, a read-only file) the settings are
    /// written to the user's file, $XDG_CONFIG_HOME/sorban/sorban.ini (by default
    /// ~/.config/sorban/), and read from whichever of the two exists, the user's when it is newer.
    static Files locate(const std::string& exeDir);
    /// $XDG_CONFIG_HOME/sorban/sorban.ini, by default ~/.config/sorban/sorban.ini.
    static std::filesystem::path userFile();

    /// A folder the system owns, as a packaged program's /usr/bin: owned by root and under /usr,
    /// /bin, /sbin, /lib, /opt or /snap. Settings are never written there, not even by root.
    static bool isSystemFolder(const std::filesystem::path& dir);

    /// Reads every key (a missing file, section or key gives its default) and distributes the memo
    /// list. A KANNUM outside 1 to 1026 falls back to 1, so that there is always a kanji to show.
    /// A file that exists but cannot be read is reported in a box naming it; the defaults stand,
    /// and the file is not written in this run.
    void IniRead(Selection& selection);

    /// Writes all fourteen keys (and PDFDIR once a PDF has been saved), keeping the file's other lines; `left` and `top` are the main
    /// window's present position. A file that cannot be written, or that could not be read at
    /// start, is reported in a box naming it; the old file then stays whole. Returns whether it
    /// was written.
    bool IniWrite(const Selection& selection, int left, int top);

    /// The KANJILIST carrier, two bytes a kanji, over the memo entries (at most ten; an odd last
    /// byte is dropped; entries past the carrier keep their text).
    void MemoLoad();
    /// The memo entries, joined, into the carrier.
    void MemoJoin();

    std::int32_t LEFT = 100, TOP = 100;
    std::int32_t NENLEFT = 100, NENTOP = 100;
    std::int32_t BSULEFT = 100, BSUTOP = 100;
    std::int32_t KKSLEFT = 100, KKSTOP = 100;
    std::int32_t YMILEFT = 100, YMITOP = 100;
    std::string KanjiFont;            ///< face name of the two large kanji
    std::string KanjiList;            ///< carrier between the file and the memo entries
    std::array<std::string, 10> Memo; ///< entry 0 is the head of the memo list
    /// Where a window of our own beyond the program's first ones was last: kept under its name in
    /// section WINDOWS as "left,top,width,height" ("LESSONS=120,80,900,700").
    struct WindowPlace {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
    };
    /// The windows with a place of their own: the lesson-planning window, the text check and
    /// handwriting search.
    static constexpr std::array<const char*, 3> PlacedWindows = {"LESSONS", "TEXTCHECK", "HANDWRITING"};
    /// The window's place, while the file held one that makes sense (a size above zero).
    std::optional<WindowPlace> place(const std::string& window) const;
    void setPlace(const std::string& window, WindowPlace place);

    /// The folder a PDF was last saved in (key PDFDIR of section SHEETS), as the file system names
    /// it (UTF-8 bytes, not Shift-JIS); empty until a PDF is saved.
    std::string PdfFolder;

    /// The class the text check judges for: its textbook column (1-based) and the volume it has
    /// finished (keys COLUMN and VOLUME of section TEXTCHECK); 0 until chosen.
    std::int32_t CheckColumn = 0;
    std::int32_t CheckVolume = 0;

private:
    std::filesystem::path m_unreadable; // the settings file that could not be read at start
    std::map<std::string, WindowPlace> m_places;
};

} // namespace sorban::settings
