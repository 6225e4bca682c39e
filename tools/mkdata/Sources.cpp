#include "mkdata/Sources.h"

#include "data/KanjiStore.h"
#include "mkdata/Unicode.h"

#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <stdexcept>

namespace mkdata {
namespace {

std::string readGzip(const std::filesystem::path& file)
{
    gzFile in = gzopen(file.c_str(), "rb");
    if (!in)
        throw std::runtime_error("cannot open " + file.string());
    std::string out;
    char buffer[1 << 16];
    int got;
    while ((got = gzread(in, buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<std::size_t>(got));
    const bool failed = got < 0;
    gzclose(in);
    if (failed)
        throw std::runtime_error("cannot decompress " + file.string());
    return out;
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The text between <tag ...> and </tag>, from `from` on; npos when there is none.
std::string_view element(std::string_view xml, std::string_view openPrefix, std::string_view close, std::size_t& from)
{
    const std::size_t open = xml.find(openPrefix, from);
    if (open == std::string_view::npos) {
        from = std::string_view::npos;
        return {};
    }
    const std::size_t start = xml.find('>', open) + 1;
    const std::size_t end = xml.find(close, start);
    from = end + close.size();
    return xml.substr(start, end - start);
}

std::string eucToUtf8(const std::string& euc)
{
    iconv_t cd = iconv_open("UTF-8", "EUC-JP");
    if (cd == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
        throw std::runtime_error("iconv has no EUC-JP");
    std::string out(euc.size() * 2, '\0');
    char* src = const_cast<char*>(euc.data());
    std::size_t srcLeft = euc.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1))
            break;
        // Skip the odd byte that has no UTF-8 form (EDICT holds a few JIS X 0212 characters).
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

} // namespace

std::vector<KanjiEntry> readKanjidic(const std::filesystem::path& gzFile)
{
    const std::string xml = readGzip(gzFile);
    std::vector<KanjiEntry> out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t start = xml.find("<character>", pos);
        if (start == std::string::npos)
            break;
        const std::size_t end = xml.find("</character>", start);
        pos = end + 1;
        const std::string_view c(xml.data() + start, end - start);
        std::size_t at = 0;
        const std::string_view grade = element(c, "<grade>", "</grade>", at);
        if (at == std::string_view::npos || grade.size() != 1 || grade[0] < '1' || grade[0] > '6')
            continue;
        KanjiEntry k;
        k.grade = grade[0] - '0';
        at = 0;
        k.literal = toU32(element(c, "<literal>", "</literal>", at));
        at = 0;
        k.strokes = std::stoi(std::string(element(c, "<stroke_count>", "</stroke_count>", at)));
        at = 0;
        k.radical = std::stoi(std::string(element(c, "<rad_value rad_type=\"classical\"", "</rad_value>", at)));
        for (at = 0;;) {
            const std::string_view r = element(c, "<reading r_type=\"ja_", "</reading>", at);
            if (at == std::string_view::npos)
                break;
            const std::size_t typeStart = c.rfind("r_type=\"ja_", at) + 11;
            (c.substr(typeStart, 2) == "on" ? k.on : k.kun).push_back(toU32(r));
        }
        out.push_back(std::move(k));
    }
    if (out.size() != static_cast<std::size_t>(sorban::data::MaxKanji))
        throw std::runtime_error("KANJIDIC2 lists " + std::to_string(out.size()) + " kanji of grades 1 to 6, not 1026");
    return out;
}

std::vector<Word> readEdict(const std::filesystem::path& file)
{
    std::istringstream lines(eucToUtf8(readFile(file)));
    std::vector<Word> out;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("/(P)/") == std::string::npos)
            continue;
        const std::size_t open = line.find(" [");
        const std::size_t close = line.find("] /");
        if (open == std::string::npos || close == std::string::npos || close < open)
            continue;
        Word w{toU32(line.substr(0, open)), toU32(line.substr(open + 2, close - open - 2))};
        bool hasKanji = false;
        for (const char32_t c : w.text)
            hasKanji = hasKanji || isKanji(c);
        if (hasKanji)
            out.push_back(std::move(w));
    }
    return out;
}

std::map<int, char32_t> readCjkRadicals(const std::filesystem::path& file)
{
    std::istringstream lines(readFile(file));
    std::map<int, char32_t> out;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        // "85; 2F54; 6C34": variant forms carry an apostrophe after the number and are left out.
        const std::size_t semi = line.find(';');
        if (semi == std::string::npos || line.substr(0, semi).find('\'') != std::string::npos)
            continue;
        const int number = std::stoi(line.substr(0, semi));
        const std::size_t last = line.rfind(';');
        out[number] = static_cast<char32_t>(std::stoul(line.substr(last + 1), nullptr, 16));
    }
    if (out.size() != 214)
        throw std::runtime_error("CJKRadicals.txt gives " + std::to_string(out.size()) + " radicals, not 214");
    return out;
}

} // namespace mkdata
