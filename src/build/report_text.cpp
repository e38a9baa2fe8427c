#include "build/report_text.h"

#include <cstdio>

namespace reporttext {

namespace {

// Length of the valid UTF-8 sequence at i, or 0.
std::size_t sequenceLength(std::string_view s, std::size_t i)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 2, min = 0x80, code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3, min = 0x800, code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4, min = 0x10000, code = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (b(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return n;
}

std::string hex(unsigned c, const char* format)
{
    char buf[12];
    std::snprintf(buf, sizeof buf, format, c);
    return buf;
}

}  // namespace

std::string utf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(bytes, i);
        if (n > 0) {
            out.append(bytes.substr(i, n));
            i += n;
            continue;
        }
        const auto c = static_cast<unsigned char>(bytes[i++]);
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string json(std::string_view text)
{
    const std::string s = utf8(text);
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c < 0x20 ? hex(c, "\\u%04x") : std::string(1, ch);
        }
    }
    return out + "\"";
}

std::string xml(std::string_view text, bool attribute)
{
    const std::string s = utf8(text);
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"' && attribute)
            out += "&quot;";
        else if ((c == '\n' || c == '\r' || c == '\t') && attribute)
            out += hex(c, "&#%u;");
        else if (c < 0x20 && c != '\n' && c != '\r' && c != '\t')
            out += '?';  // no XML 1.0 document can hold these
        else
            out += ch;
    }
    return out;
}

std::string uriPath(std::string_view path)
{
    const std::string s = utf8(path);
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '/';
        if (c == '\\')
            out += '/';
        else
            out += plain ? std::string(1, ch) : hex(c, "%%%02X");
    }
    return out;
}

std::string fileUri(std::string_view hostPath, bool folder)
{
    std::string path = uriPath(hostPath);
    // A Windows host's "C:/x" keeps its colon and gains the root slash.
    if (path.size() >= 4 && path[1] == '%' && path.compare(2, 2, "3A") == 0)
        path = "/" + path.substr(0, 1) + ":" + path.substr(4);
    if (folder && (path.empty() || path.back() != '/'))
        path += '/';
    return "file://" + path;
}

}  // namespace reporttext
