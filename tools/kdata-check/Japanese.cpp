#include "kdata-check/Japanese.h"

#include <cstdlib>
#include <regex>
#include <string_view>
#include <utility>
#include <vector>

namespace kdatacheck {
namespace {

// The fields a number is read from, as the readers name them.
std::string fieldName(const std::string& what)
{
    static const std::vector<std::pair<std::regex, const char*>> names = {
        {std::regex("kanji number"), "漢字番号"},
        {std::regex("reading count"), "読みの数"},
        {std::regex("running total"), "読みの累計"},
        {std::regex("grade"), "配当学年"},
        {std::regex("stroke count"), "画数"},
        {std::regex("radical number"), "部首番号"},
        {std::regex("formation type"), "成り立ちの種類"},
        {std::regex("stroke-order flag"), "筆順の図の印"},
        {std::regex("column (\\d+) appearance code"), "欄 $1 の出現コード"},
        {std::regex("column (\\d+) page"), "欄 $1 のページ"},
    };
    for (const auto& [pattern, japanese] : names)
        if (std::regex_match(what, pattern))
            return std::regex_replace(what, pattern, japanese);
    return what;
}

// Rules: a whole message in English, and its Japanese with the same parts ($1, $2 …).
const std::vector<std::pair<std::regex, const char*>>& rules()
{
    static const std::vector<std::pair<std::regex, const char*>> all = [] {
        const std::pair<const char*, const char*> text[] = {
            {"the file is missing \\(or is no regular file\\): the program shows its missing-file box",
             "ファイルがありません（または通常のファイルではありません）。プログラムは「ファイルがありません」の画面を出します"},
            {"Ctrl\\+Z \\(0x1A\\) byte: the program stops reading the file here, before what follows it",
             "Ctrl+Z（0x1A）のバイトがあります。プログラムはここで読むのをやめ、後ろの行は読まれません"},
            {"Ctrl\\+Z \\(0x1A\\) byte at the end of the file: the program stops reading there",
             "ファイルの終わりに Ctrl+Z（0x1A）のバイトがあります。プログラムはそこで読むのをやめます"},
            {"NUL byte: the program's line ends there, and the rest of what it read with it is lost",
             "NUL のバイトがあります。行がそこで終わり、続きは失われます"},
            {"carriage return without a line feed: the program keeps it inside the line",
             "LF のない CR があります。行の中の文字として残ります"},
            {"bytes that are not valid Shift-JIS at byte (\\d+)", "$1 バイト目に Shift-JIS でないバイトがあります"},
            {"line of (\\d+) bytes is longer than the (\\d+) the program reads at once: it is read as (\\d+) lines, each taken for a line "
             "of "
             "its own",
             "行が $1 バイトあり、プログラムが一度に読む $2 バイトより長いため、$3 行に分かれて読まれます"},
            {"note line has no comma: the note would be empty", "注の行にカンマがないため、注は空になります"},
            {"record has fewer than the (\\d+) comma-terminated fields the program takes: the missing ones read as empty",
             "カンマで終わる欄が $1 より少ないため、足りない欄は空として読まれます"},
            {"(\\d+) example records; the program holds 2450", "用例の行が $1 あります。プログラムは 2450 まで持ちます"},
            {"grade (-?\\d+) is not 1 to 6 \\(shown as ☆☆\\)", "配当学年 $1 は 1～6 ではありません（☆☆と表示されます）"},
            {"formation type (-?\\d+) is not 0 to 5 \\(shown as －－\\)", "成り立ちの種類 $1 は 0～5 ではありません（－－と表示されます）"},
            {"stroke-order flag (-?\\d+) is not 0 or 1 \\(the button stays disabled\\)",
             "筆順の図の印 $1 は 0 か 1 ではありません（「→筆順」は押せないままです）"},
            {"more than 1027 attribute records: the program stops reading before this one",
             "属性の行が 1027 を超えています。プログラムはこの行の前で読むのをやめます"},
            {"(\\d+) attribute records for 1026 kanji: the last one is read but never shown",
             "1026 字に対して属性の行が $1 あります。最後の行は読まれますが表示されません"},
            {"(\\d+) attribute records for 1026 kanji", "1026 字に対して属性の行が $1 あります"},
            {"kanji number ([\\s\\S]*) is outside 1 to 1026", "漢字番号 $1 は 1～1026 の外です"},
            {"kanji number ([\\s\\S]*) stands already on line (\\d+)", "漢字番号 $1 は $2 行目にもあります"},
            {"readings out of kanji order: kanji ([\\s\\S]*) follows kanji (-?\\d+)",
             "漢字の順になっていません。漢字 $1 が漢字 $2 の後にあります"},
            {"kanji text \"([\\s\\S]*)\" is not one double-byte character", "漢字「$1」が 2 バイトの 1 文字ではありません"},
            {"kanji ([\\s\\S]*) is kanji (\\d+) already", "漢字 $1 はすでに漢字番号 $2 です"},
            {"reading count (-?\\d+) is negative", "読みの数 $1 が負です"},
            {"running total (-?\\d+) disagrees with the counts, which add up to (-?\\d+)",
             "読みの累計 $1 が、読みの数の合計 $2 と合いません"},
            {"reading (\\d+) of (\\d+) has no comma after it: it reads as empty",
             "$2 のうち $1 番目の読みの後にカンマがないため、空として読まれます"},
            {"reading (\\d+) is empty", "$1 番目の読みが空です"},
            {"(\\d+) kanji; the program expects 1026", "漢字が $1 字あります。プログラムは 1026 字を前提にしています"},
            {"(\\d+) readings; the program holds 2450", "読みが $1 あります。プログラムは 2450 まで持ちます"},
            {"header line has fewer than 15 comma-terminated fields: the column labels past its last comma are empty",
             "見出しの行のカンマで終わる欄が 15 より少ないため、最後のカンマより後の欄の名前は空になります"},
            {"a page of -1 in column 6: the program stores it silently", "欄 6 のページが -1 です。プログラムは知らせずにそのまま持ちます"},
            {"invalid appearance code (-?\\d+) in column (\\d+) \\(shown as －－－; 0 marks no appearance\\)",
             "欄 $2 の出現コード $1 は正しくありません（－－－と表示されます。出てこないときは 0 です）"},
            {"invalid appearance code (-?\\d+) \\(shown as －－－; 0 marks no appearance\\)",
             "出現コード $1 は正しくありません（－－－と表示されます。出てこないときは 0 です）"},
            {"(\\d+) appearance records; the program holds 2450", "出現の行が $1 あります。プログラムは 2450 まで持ちます"},
            {"more than 200 radicals: the program reads no further", "部首が 200 を超えています。プログラムはそれより先を読みません"},
            {"empty line: it becomes a radical of its own and shifts the numbers of all later radicals",
             "空の行があります。一つの部首として数えられ、後の部首の番号がすべてずれます"},
            {"row has no heading part \\(\"N画○\" or \"○○○\"\\)", "行に見出しの部分（「N画○」または「○○○」）がありません"},
            {"a comma after the first field shifts the radical cells the window marks",
             "最初の欄より後にカンマがあるため、窓が赤くする部首の位置がずれます"},
            {"group \"([\\s\\S]*)\" lacks the ≫ after its radical", "まとまり「$1」の部首の後に ≫ がありません"},
            {"row is (\\d+) columns wide; the grid shows (\\d+)", "行が $1 列あります。表は $2 列まで表示します"},
            {"rows after the (\\d+)(st|nd|rd|th) are not read", "$1 行目より後の行は読まれません"},
            {"(\\d+) radical groups; the window marks the first 200", "部首のまとまりが $1 あります。窓が赤くするのは初めの 200 です"},
            {"single-byte character at byte (\\d+): only commas may be single bytes",
             "$1 バイト目に 1 バイトの文字があります。1 バイトで書けるのはカンマだけです"},
            {"row (\\d+) holds more than the 32 kanji the grid shows", "$1 行目に、表が表示する 32 字より多い漢字があります"},
            {"(\\d+) entries; the table lays out 1026", "項目が $1 あります。表は 1026 を並べます"},
            {"out of order: stroke count (-?\\d+) after (-?\\d+)", "順になっていません。画数 $1 が $2 の後にあります"},
            {"out of order: grade (-?\\d+) after (-?\\d+)", "順になっていません。学年 $1 が $2 の後にあります"},
            {"no kanji of stroke count (-?\\d+)", "画数 $1 の漢字がありません"},
            {"no kanji of grade (-?\\d+)", "学年 $1 の漢字がありません"},
            {"the table needs (\\d+) rows; the window shows (\\d+)", "表には $1 行が要りますが、窓は $2 行まで表示します"},
            {"(appearance|example) record (\\d+) names ([\\s\\S]*), but reading (\\d+) is ([\\s\\S]*) \\(knj_yomi.csv line (\\d+)\\): the "
             "files part here",
             "$2 番目の行は $3 ですが、$4 番目の読みは $5 です（knj_yomi.csv の $6 行目）。ここから二つのファイルがずれています"},
            {"(\\d+) (appearance|example) records for (\\d+) readings", "$3 の読みに対して行が $1 あります"},
            {"record (\\d+) names ([\\s\\S]*), but kanji (\\d+) is ([\\s\\S]*): the files part here",
             "$1 番目の行は $2 ですが、漢字番号 $3 は $4 です。ここから二つのファイルがずれています"},
            {"radical number (-?\\d+) has no radical in bushu_ban.csv", "部首番号 $1 の部首が bushu_ban.csv にありません"},
            {"picture ([\\s\\S]*) is missing", "筆順の図 $1 がありません"},
            {"kanji \"([\\s\\S]*)\" is not in the master list", "漢字「$1」が漢字の一覧（knj_yomi.csv）にありません"},
            {"kanji number (-?\\d+), but ([\\s\\S]*) is kanji (\\d+)", "漢字番号が $1 ですが、$2 は漢字番号 $3 です"},
            {"row (\\d+) names ([\\s\\S]*), but word (\\d+) is ([\\s\\S]*): the files part here",
             "$1 行目は $2 ですが、$3 番目の言葉は $4 です。ここから二つのファイルがずれています"},
            {"(\\d+) example rows for (\\d+) words", "$2 の言葉に対して用例の行が $1 あります"},
        };
        std::vector<std::pair<std::regex, const char*>> compiled;
        for (const auto& [english, japanese] : text)
            compiled.emplace_back(std::regex(english), japanese);
        return compiled;
    }();
    return all;
}

} // namespace

bool japaneseLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string_view(value).substr(0, 2) == "ja";
    }
    return false;
}

std::string inJapanese(const std::string& message)
{
    // A field that holds no number: "<field> is missing or empty|is -1|"<text>" is not a number: the
    // program stops with an error box (<box>)".
    static const std::regex field(
        "([\\s\\S]*?) (is missing or empty|is -1|\"([\\s\\S]*)\" is not a number): the program stops with an error box \\(([\\s\\S]*)\\)");
    std::smatch m;
    if (std::regex_match(message, m, field)) {
        const std::string name = fieldName(m[1].str());
        const std::string what = m[2] == "is missing or empty" ? "がないか空です"
                                 : m[2] == "is -1"             ? "が -1 です"
                                                               : "「" + m[3].str() + "」が数ではありません";
        return name + what + "。プログラムはエラーの画面（" + m[4].str() + "）を出して止まります";
    }
    for (const auto& [pattern, japanese] : rules())
        if (std::regex_match(message, pattern))
            return std::regex_replace(message, pattern, japanese);
    return message;
}

std::string summary(int problems, int warnings, bool japanese)
{
    if (japanese)
        return problems == 0 ? "問題はありません。"
                             : "問題 " + std::to_string(problems) + " 件（うち注意 " + std::to_string(warnings) + " 件）。";
    if (problems == 0)
        return "no problems.";
    return std::to_string(problems) + (problems == 1 ? " problem (" : " problems (") + std::to_string(warnings) + " of them warnings).";
}

} // namespace kdatacheck
