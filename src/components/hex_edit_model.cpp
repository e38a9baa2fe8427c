#include "components/hex_edit_model.h"

#include <cstdio>

#include "platform/paths/win_path.h"

namespace {

// The text is UTF-8; a pasted non-ASCII character is one character, not several.
bool startsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

std::size_t characterCount(const std::string& text)
{
    std::size_t n = 0;
    for (char c : text)
        n += startsCharacter(c) ? 1 : 0;
    return n;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::int32_t> HexEditModel::parse(const std::string& text) const
{
    if (!m_hexadecimal) {
        // One sign at most, then digits only ("+-5" is no number).
        const std::size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
        long long v = 0;
        if (first >= text.size() || !isDigit(text[first]) || !winpath::parseInt(text, v)
            || v < INT32_MIN || v > INT32_MAX)
            return std::nullopt;
        return static_cast<std::int32_t>(v);
    }
    const std::string up = winpath::upper(text);
    if (characterCount(up) > 8)
        return std::nullopt;
    std::int64_t sum = 0;
    std::int64_t weight = 1;
    int right = 0;  // value of the character to the right; an odd character takes it over
    for (auto it = up.rbegin(); it != up.rend(); ++it) {
        if (!startsCharacter(*it))
            continue;
        int digit = right;
        if (isDigit(*it))
            digit = *it - '0';
        else if (*it >= 'A' && *it <= 'F')
            digit = *it - 'A' + 10;
        sum += digit * weight;
        weight *= 16;
        right = digit;
    }
    if (sum > 2147483647)
        return std::nullopt;
    return static_cast<std::int32_t>(sum);
}

std::int64_t HexEditModel::bound(std::int64_t v) const
{
    if (m_min == m_max)
        return v;
    if (v < m_min)
        return m_min;
    if (v > m_max)
        return m_max;
    return v;
}

std::string HexEditModel::format(std::int32_t v) const
{
    char buf[32];
    if (m_hexadecimal)
        std::snprintf(buf, sizeof buf, "%0*X", m_hexDigits, static_cast<std::uint32_t>(v));
    else
        std::snprintf(buf, sizeof buf, "%d", v);
    return buf;
}

std::int32_t HexEditModel::value() const
{
    return parse(m_text).value_or(m_min);
}

void HexEditModel::setValue(std::int64_t v)
{
    // Values are 32-bit; a step past the end wraps as the integer would.
    m_text = format(static_cast<std::int32_t>(static_cast<std::uint32_t>(bound(v))));
}

std::string HexEditModel::hexValue() const
{
    return m_text;
}

void HexEditModel::setHexValue(const std::string& text)
{
    std::string up = winpath::upper(text);
    const std::size_t length = characterCount(up);
    if (length < static_cast<std::size_t>(m_hexDigits))
        up.insert(0, static_cast<std::size_t>(m_hexDigits) - length, '0');
    m_text = up;
}

bool HexEditModel::acceptsKey(char32_t c, char32_t decimalSeparator) const
{
    if (!m_editorEnabled)
        return c < 32 && c != 13 && c != 8;
    if (c < 32)
        return c != 13;
    if (c == decimalSeparator || (c >= '0' && c <= '9'))
        return true;
    if (m_hexadecimal)
        return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    return c == '+' || c == '-';
}

bool HexEditModel::step(std::int64_t delta)
{
    if (m_readOnly)
        return false;
    setValue(static_cast<std::int64_t>(value()) + delta);
    return true;
}

bool HexEditModel::upStep()
{
    return step(m_increment);
}

bool HexEditModel::downStep()
{
    return step(-static_cast<std::int64_t>(m_increment));
}

void HexEditModel::leave()
{
    const std::int32_t v = value();
    if (bound(v) != v)
        setValue(v);
}
