#include "editor/caret_line.h"

#include <cstdio>

#include "platform/paths/slices.h"

namespace {

using slices::copy;
using slices::pos;

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The digits at the start of g after blanks and a sign; "$", "x" or "0x" make them hex.
int leadingNumber(const std::string& g)
{
    std::size_t i = 0;
    while (i < g.size() && g[i] == ' ')
        ++i;
    if (i < g.size() && (g[i] == '+' || g[i] == '-'))
        ++i;
    bool hex = false;
    if (i < g.size() && (g[i] == '$' || g[i] == 'x' || g[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < g.size() && g[i] == '0' && (g[i + 1] == 'x' || g[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    long long value = 0;
    for (; i < g.size(); ++i) {
        const int d = digitValue(g[i], hex);
        if (d < 0)
            break;
        value = value * (hex ? 16 : 10) + d;
        if (value > 0x7FFFFFFF)
            return 0x7FFFFFFF;
    }
    return static_cast<int>(value);
}

}  // namespace

CaretLine parseCaretLine(const std::string& line)
{
    const long long q = pos('"', line);
    const std::string w = copy(line, q + 1, 20);
    const long long m = pos('"', w) - 1;
    CaretLine out;
    out.name = copy(line, q + 1, m);
    // The number is looked for m + 4 characters in, which is right after `",` for a line
    // that opens with the quoted name.
    const std::string f = copy(line, m + 4, 5);
    const auto space = f.find(' ');
    const std::string g = space == std::string::npos ? std::string() : f.substr(0, space + 1);
    out.jump = leadingNumber(g);
    return out;
}

std::string caretPositionText(int line, int column)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Line: %3d   Col: %3d", line, column);
    return buffer;
}
