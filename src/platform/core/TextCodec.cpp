#include "platform/core/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace sorban::platform {
namespace {

constexpr std::string_view ReplacementUtf8 = "\xEF\xBF\xBD";

// iconv_open's failure value, as its documentation gives it.
const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != NoConverter)
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts everything it can; each input character it cannot convert is skipped and replaced.
    std::string run(std::string_view in, std::string_view replacement, size_t badCharBytes(std::string_view))
    {
        std::string out;
        if (m_cd == NoConverter) {
            for (size_t i = 0; i < in.size(); ++i)
                out += replacement;
            return out;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 3 / 2 + 4);
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an invalid or truncated sequence at src.
            const size_t skip = badCharBytes(std::string_view(src, srcLeft));
            src += skip;
            srcLeft -= skip;
            out += replacement;
        }
        return out;
    }

private:
    iconv_t m_cd;
};

// A broken Shift-JIS lead byte swallows its trail byte only when that byte could be one.
size_t badSjisBytes(std::string_view rest)
{
    if (isSjisLeadByte(static_cast<unsigned char>(rest[0])) && rest.size() >= 2 && isSjisTrailByte(static_cast<unsigned char>(rest[1])))
        return 2;
    return 1;
}

// One UTF-8 character (or one stray byte) that code page 932 cannot hold.
size_t badUtf8Bytes(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    // A truncated character takes its continuation bytes along, so it yields one "?".
    size_t taken = 1;
    while (taken < length && taken < rest.size() && (static_cast<unsigned char>(rest[taken]) & 0xC0) == 0x80)
        ++taken;
    return taken;
}

} // namespace

std::size_t findSjis(std::string_view text, std::string_view needle, std::size_t from)
{
    for (std::size_t i = 0; i < text.size();) {
        if (i >= from && text.substr(i, needle.size()) == needle)
            return i;
        i += isSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return std::string_view::npos;
}

std::string sjisToUtf8(std::string_view sjis)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.run(sjis, ReplacementUtf8, badSjisBytes);
}

std::string utf8ToSjis(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.run(utf8, "?", badUtf8Bytes);
}

} // namespace sorban::platform
