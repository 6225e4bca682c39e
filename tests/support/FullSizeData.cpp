#include "support/FullSizeData.h"

#include "support/TestFiles.h"

#include <string>

namespace sorban::test {
namespace {

// Distinct double-byte kanji, walking the Shift-JIS table from its first kanji (亜, 0x889F).
std::vector<std::string> distinctKanji(int count)
{
    std::vector<std::string> out;
    for (int lead = 0x88; static_cast<int>(out.size()) < count; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && static_cast<int>(out.size()) < count; ++trail) {
            if (trail == 0x7F || (lead == 0x88 && trail < 0x9F))
                continue;
            out.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    return out;
}

} // namespace

FullSizeData FullSizeData::write(const std::filesystem::path& dir)
{
    constexpr int Kanji = 1026;
    constexpr int Readings = 2450;
    constexpr int WithThree = Readings - 2 * Kanji; // 398 kanji with three readings, the rest two

    FullSizeData data;
    data.kanji = distinctKanji(Kanji);
    std::string yomi = "# reading file, full size\r\n";
    int total = 0;
    for (int n = 1; n <= Kanji; ++n) {
        const int count = n <= WithThree ? 3 : 2;
        total += count;
        data.readingCount.push_back(count);
        yomi += std::to_string(n) + "," + data.kanji[n - 1] + "," + std::to_string(count) + "," + std::to_string(total) + ",";
        for (int r = 0; r < count; ++r) {
            const std::string reading = sjis(r == 0 ? "カン" : "よみ") + std::to_string(data.readings.size());
            data.readings.push_back(reading);
            yomi += reading + ",";
        }
        yomi += "\r\n";
    }
    writeBytes(dir / "knj_yomi.csv", yomi);

    std::string apr = sjis("#番号,漢字,読み,区分,光村,頁,東書,頁,教出,頁,学図,頁,三省,頁,他,頁,\r\n$令和６年度版,\r\n");
    std::string goku = sjis("$用例の注,\r\n");
    for (int k = 0; k < Readings; ++k) {
        apr += std::to_string(k) + ",x,y,z,";
        goku += std::to_string(k) + ",x,y,";
        for (int c = 0; c < 6; ++c) {
            apr += std::to_string(10 + (k + c) % 6 * 10 + c % 3) + "," + std::to_string(1 + (k * 7 + c) % 150) + ",";
            goku += sjis("例") + std::to_string(k) + "-" + std::to_string(c) + ",";
        }
        apr += "\r\n";
        goku += "\r\n";
    }
    writeBytes(dir / "apr_jho.csv", apr);
    writeBytes(dir / "knj_goku.csv", goku);

    std::string bushu = "# radicals\r\n";
    for (int r = 0; r < 200; ++r)
        bushu += std::to_string(r) + "," + sjis("部首") + std::to_string(r) + "," + sjis("ぶしゅ") + std::to_string(r) + ",\r\n";
    writeBytes(dir / "bushu_ban.csv", bushu);

    std::string atrbt = "# attributes\r\n";
    for (int k = 0; k < Kanji + 1; ++k)
        atrbt += std::to_string(k + 1) + ",x," + std::to_string(1 + k % 6) + "," + std::to_string(1 + k % 20) + ","
                 + std::to_string(k % 200) + "," + std::to_string(k % 6) + ",0,0," + std::to_string(k % 2) + ",\r\n";
    writeBytes(dir / "knj_atrbt.csv", atrbt);
    return data;
}

} // namespace sorban::test
