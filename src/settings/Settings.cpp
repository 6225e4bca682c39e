#include "settings/Settings.h"

#include "platform/core/Dialogs.h"
#include "platform/core/IniFile.h"
#include "platform/core/TextCodec.h"
#include "settings/Selection.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace sorban::settings {
namespace {

using platform::utf8ToSjis;

// The last kanji number: a KANNUM past it has no kanji to show.
constexpr std::int32_t MaxKanjiNumber = 1026;

struct Position {
    const char* key;
    std::int32_t Settings::*value;
};

// Read and written in this order.
constexpr std::array<Position, 10> Positions = {{
    {"LEFT", &Settings::LEFT},
    {"TOP", &Settings::TOP},
    {"NENLEFT", &Settings::NENLEFT},
    {"NENTOP", &Settings::NENTOP},
    {"BSULEFT", &Settings::BSULEFT},
    {"BSUTOP", &Settings::BSUTOP},
    {"KKSLEFT", &Settings::KKSLEFT},
    {"KKSTOP", &Settings::KKSTOP},
    {"YMILEFT", &Settings::YMILEFT},
    {"YMITOP", &Settings::YMITOP},
}};

} // namespace

bool Settings::isSystemFolder(const std::filesystem::path& dir)
{
    struct stat info {};
    if (stat(dir.c_str(), &info) != 0 || info.st_uid != 0)
        return false;
    const std::string path = std::filesystem::weakly_canonical(dir).string() + "/";
    for (const char* prefix : {"/usr/", "/bin/", "/sbin/", "/lib/", "/lib64/", "/opt/", "/snap/"})
        if (path.starts_with(prefix))
            return true;
    return false;
}

Settings::Settings()
{
    // The memo list before the settings are read.
    const char* initial[10] = {"医", "医", "医", "医", "右", "医", "医", "医", "医", "右"};
    for (std::size_t i = 0; i < Memo.size(); ++i)
        Memo[i] = utf8ToSjis(initial[i]);
}

std::filesystem::path Settings::userFile()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path base =
        config && *config ? std::filesystem::path(config) : std::filesystem::path(home ? home : ".") / ".config";
    return base / "sorban" / "sorban.ini";
}

Settings::Files Settings::locate(const std::string& exeDir)
{
    const std::filesystem::path beside = std::filesystem::path(exeDir) / "sorban.ini";
    struct stat file {};
    const bool besideExists = stat(beside.c_str(), &file) == 0;
    // Root may write a read-only file; it stays read-only to the program all the same.
    const bool fileWritable = !besideExists || ((file.st_mode & 0222) != 0 && access(beside.c_str(), W_OK) == 0);
    if (!isSystemFolder(exeDir) && access(exeDir.c_str(), W_OK) == 0 && fileWritable)
        return {beside, beside};
    const std::filesystem::path user = userFile();
    struct stat mine {};
    const bool userExists = stat(user.c_str(), &mine) == 0;
    const auto newer = [](const struct stat& a, const struct stat& b) {
        return a.st_mtim.tv_sec != b.st_mtim.tv_sec ? a.st_mtim.tv_sec > b.st_mtim.tv_sec : a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
    };
    const bool readBeside = besideExists && !(userExists && newer(mine, file));
    return {readBeside ? beside : user, user};
}

void Settings::IniRead(Selection& selection)
{
    const Files files = locate(selection.ExeDir);
    const platform::IniFile ini(files.read);
    m_unreadable.clear();
    if (ini.status() == platform::IniFile::Status::Unreadable) {
        m_unreadable = files.read;
        platform::dialogs().messageBox("設定ファイルを読めません: " + files.read.string(), "Sorban");
    }
    for (const auto& p : Positions)
        this->*p.value = ini.readInteger("FORM", p.key, 100);
    KanjiFont = ini.readString("FORM", "KANJI", utf8ToSjis("ＭＳ 明朝"));
    selection.KanNum = ini.readInteger("DATA", "KANNUM", 1);
    if (selection.KanNum < 1 || selection.KanNum > MaxKanjiNumber)
        selection.KanNum = 1;
    selection.ReturnMode = ini.readInteger("DATA", "TGLREN", 0);
    KanjiList = ini.readString("DATA", "KANJILIST", utf8ToSjis("愛上尾夏期句毛個"));
    PdfFolder = ini.readString("SHEETS", "PDFDIR", "");
    CheckColumn = ini.readInteger("TEXTCHECK", "COLUMN", 0);
    CheckVolume = ini.readInteger("TEXTCHECK", "VOLUME", 0);
    m_places.clear();
    for (const char* window : PlacedWindows) {
        WindowPlace place;
        char tail = 0;
        const std::string text = ini.readString("WINDOWS", window, "");
        if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &place.left, &place.top, &place.width, &place.height, &tail) == 4 && place.width > 0
            && place.height > 0)
            m_places[window] = place;
    }
    MemoLoad();
}

std::optional<Settings::WindowPlace> Settings::place(const std::string& window) const
{
    const auto found = m_places.find(window);
    return found == m_places.end() ? std::nullopt : std::optional(found->second);
}

void Settings::setPlace(const std::string& window, WindowPlace place)
{
    m_places[window] = place;
}

bool Settings::IniWrite(const Selection& selection, int left, int top)
{
    const auto cannotWrite = [](const std::filesystem::path& file) {
        platform::dialogs().messageBox("設定ファイルに書き込めません: " + file.string(), "Sorban");
        return false;
    };
    // A file that could not be read holds settings this run never saw: it is never overwritten.
    if (!m_unreadable.empty())
        return cannotWrite(m_unreadable);
    platform::IniFile ini(locate(selection.ExeDir).write);
    if (ini.status() == platform::IniFile::Status::Unreadable)
        return cannotWrite(ini.path());
    LEFT = left;
    TOP = top;
    for (const auto& p : Positions)
        ini.writeInteger("FORM", p.key, this->*p.value);
    ini.writeString("FORM", "KANJI", KanjiFont);
    ini.writeInteger("DATA", "KANNUM", selection.KanNum);
    ini.writeInteger("DATA", "TGLREN", selection.ReturnMode);
    MemoJoin();
    ini.writeString("DATA", "KANJILIST", KanjiList);
    // Written once a PDF has been saved: files of those who never did keep their fourteen keys.
    if (!PdfFolder.empty() && PdfFolder.find_first_of("\r\n") == std::string::npos)
        ini.writeString("SHEETS", "PDFDIR", PdfFolder);
    if (CheckColumn > 0) { // once the text check has been used
        ini.writeInteger("TEXTCHECK", "COLUMN", CheckColumn);
        ini.writeInteger("TEXTCHECK", "VOLUME", CheckVolume);
    }
    for (const auto& [window, p] : m_places)
        ini.writeString("WINDOWS", window,
                        std::to_string(p.left) + "," + std::to_string(p.top) + "," + std::to_string(p.width) + ","
                            + std::to_string(p.height));
    std::error_code ignored; // a folder that cannot be made shows as a file that cannot be written
    std::filesystem::create_directories(ini.path().parent_path(), ignored);
    return ini.save() || cannotWrite(ini.path());
}

void Settings::MemoLoad()
{
    const std::size_t n = std::min(KanjiList.size() / 2, Memo.size());
    for (std::size_t i = 0; i < n; ++i)
        Memo[i] = KanjiList.substr(2 * i, 2);
}

void Settings::MemoJoin()
{
    KanjiList.clear();
    for (const auto& entry : Memo)
        KanjiList += entry;
}

} // namespace sorban::settings
