#include "mkdata/RadicalNames.h"

#include <array>
#include <stdexcept>

namespace mkdata {
namespace {

// Names as Japanese school dictionaries give them, radical 1 first.
constexpr std::array<std::u32string_view, 214> Names = {
    U"いち", U"ぼう", U"てん", U"の", U"おつ", U"はねぼう", U"に", U"なべぶた", U"ひと", U"ひとあし",
    U"いる", U"はち", U"けいがまえ", U"わかんむり", U"にすい", U"つくえ", U"うけばこ", U"かたな", U"ちから", U"つつみがまえ",
    U"さじ", U"はこがまえ", U"かくしがまえ", U"じゅう", U"ぼく", U"ふしづくり", U"がんだれ", U"む", U"また", U"くち",
    U"くにがまえ", U"つち", U"さむらい", U"ふゆがしら", U"すいにょう", U"ゆうべ", U"だい", U"おんな", U"こ", U"うかんむり",
    U"すん", U"しょう", U"だいのまげあし", U"しかばね", U"てつ", U"やま", U"かわ", U"たくみ", U"おのれ", U"はば",
    U"かん", U"いとがしら", U"まだれ", U"えんにょう", U"にじゅうあし", U"しきがまえ", U"ゆみ", U"けいがしら", U"さんづくり", U"ぎょうにんべん",
    U"こころ", U"ほこづくり", U"と", U"て", U"しにょう", U"ぼくづくり", U"ぶん", U"とます", U"おのづくり", U"ほう",
    U"なし", U"ひ", U"ひらび", U"つき", U"き", U"あくび", U"とめる", U"がつへん", U"るまた", U"なかれ",
    U"くらべる", U"け", U"うじ", U"きがまえ", U"みず", U"ひ", U"つめ", U"ちち", U"こう", U"しょうへん",
    U"かた", U"きば", U"うし", U"いぬ", U"げん", U"たま", U"うり", U"かわら", U"あまい", U"うまれる",
    U"もちいる", U"た", U"ひき", U"やまいだれ", U"はつがしら", U"しろ", U"けがわ", U"さら", U"め", U"ほこ",
    U"や", U"いし", U"しめす", U"ぐうのあし", U"のぎ", U"あな", U"たつ", U"たけ", U"こめ", U"いと",
    U"ほとぎ", U"あみがしら", U"ひつじ", U"はね", U"おいかんむり", U"しこうして", U"らいすき", U"みみ", U"ふでづくり", U"にく",
    U"しん", U"みずから", U"いたる", U"うす", U"した", U"まいあし", U"ふね", U"こんづくり", U"いろ", U"くさ",
    U"とらかんむり", U"むし", U"ち", U"ぎょうがまえ", U"ころも", U"おおいかんむり", U"みる", U"つの", U"げん", U"たに",
    U"まめ", U"いのこ", U"むじなへん", U"かい", U"あか", U"はしる", U"あし", U"み", U"くるま", U"からい",
    U"しんのたつ", U"しんにょう", U"おおざと", U"とりへん", U"のごめ", U"さと", U"かね", U"ながい", U"もん", U"こざとへん",
    U"れいづくり", U"ふるとり", U"あめ", U"あお", U"あらず", U"めん", U"かくのかわ", U"なめしがわ", U"にら", U"おと",
    U"おおがい", U"かぜ", U"とぶ", U"しょく", U"くび", U"かおり", U"うま", U"ほね", U"たかい", U"かみがしら",
    U"とうがまえ", U"ちょう", U"かなえ", U"きにょう", U"うお", U"とり", U"しお", U"しか", U"むぎ", U"あさ",
    U"き", U"きび", U"くろ", U"ふつ", U"べんあし", U"かなえ", U"つづみ", U"ねずみ", U"はな", U"せい",
    U"は", U"りゅう", U"かめ", U"やく",
};

// First radical number of each stroke count 1..17.
constexpr std::array<int, 17> FirstOfStrokes = {1, 7, 30, 61, 95, 118, 147, 167, 176, 187, 195, 201, 205, 209, 211, 212, 214};

} // namespace

std::u32string_view radicalName(int number)
{
    if (number < 1 || number > 214)
        throw std::out_of_range("radical number");
    return Names[static_cast<std::size_t>(number - 1)];
}

int radicalStrokes(int number)
{
    if (number < 1 || number > 214)
        throw std::out_of_range("radical number");
    int strokes = 0;
    for (std::size_t i = 0; i < FirstOfStrokes.size() && FirstOfStrokes[i] <= number; ++i)
        strokes = static_cast<int>(i) + 1;
    return strokes;
}

} // namespace mkdata
