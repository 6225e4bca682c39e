#include "platform/core/DataFields.h"

namespace sorban::platform {

std::string_view FieldCursor::take()
{
    // Fields are a few bytes long: a plain scan beats a library search here.
    const char* const begin = m_rest.data();
    const std::size_t size = m_rest.size();
    ++m_taken;
    for (std::size_t i = 0; i < size; ++i) {
        if (begin[i] == ',') {
            m_rest = std::string_view(begin + i + 1, size - i - 1);
            return std::string_view(begin, i);
        }
    }
    m_ranOut = true;
    return {};
}

void FieldCursor::skip(int count)
{
    for (int i = 0; i < count; ++i)
        take();
}

namespace {

// Out-parameter form: returning std::optional from the hot loop stalls on its two-part store.
bool parseInt(std::string_view s, std::int32_t& out)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size())
        return false;
    std::int64_t value = 0;
    if (base == 10) {
        for (; i < s.size(); ++i) {
            const unsigned digit = static_cast<unsigned char>(s[i]) - unsigned{'0'};
            if (digit > 9)
                return false;
            value = value * 10 + digit;
            if (value > std::int64_t{INT32_MAX} + 1)
                return false;
        }
    } else {
        for (; i < s.size(); ++i) {
            const char c = s[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return false;
            value = value * 16 + digit;
            if (value > std::int64_t{INT32_MAX} + 1)
                return false;
        }
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

} // namespace

std::optional<std::int32_t> convertInt(std::string_view field)
{
    std::int32_t value;
    if (!parseInt(field, value))
        return std::nullopt;
    return value;
}

std::int32_t intOr(std::string_view field, std::int32_t fallback)
{
    std::int32_t value;
    return parseInt(field, value) ? value : fallback;
}

} // namespace sorban::platform
