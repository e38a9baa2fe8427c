#include "build/terror_log.h"

#include "platform/paths/slices.h"

namespace {

using slices::copy;
using slices::pos;

// Blanks, an optional sign, then decimal digits up to the first other character.
int leadingInteger(const std::string& u)
{
    std::size_t i = 0;
    while (i < u.size() && u[i] == ' ')
        ++i;
    bool negative = false;
    if (i < u.size() && (u[i] == '+' || u[i] == '-'))
        negative = u[i++] == '-';
    long long value = 0;
    for (; i < u.size() && u[i] >= '0' && u[i] <= '9'; ++i)
        value = value * 10 + (u[i] - '0');
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

ErrorLineParts readErrorLine(const std::string& line)
{
    const long long q1 = pos('"', line);
    const std::string t = copy(line, q1 + 1, 20);
    const long long q2 = pos('"', t);
    ErrorLineParts out;
    out.file = copy(t, 1, q2 - 1);
    // q2 counts in t but is used in the line: right after `",` only when the line opens with
    // the quote.
    std::string u = copy(line, q2 + 3, 5);
    u = copy(u, 1, pos(' ', u));
    out.number = u;
    out.line = leadingInteger(u);
    return out;
}

TErrorLog::TErrorLog(ErrorPosition& position) : m_position(position)
{
    Control& list = m_controls.add("ErrorList", ControlKind::List);
    list.setEntries({"no errors"});
    list.onActivate([this](const Sender&) { ErrorListClick(); });
    m_controls.add("Panel0", ControlKind::Label);
    m_controls.add("Panel1", ControlKind::Label);
    Control& go = m_controls.add("GoToError", ControlKind::Button);
    go.setCaption("GoTo Error");
    go.onActivate([this](const Sender&) { GoToErrorClick(); });
    Control& cancel = m_controls.add("CancelBtn", ControlKind::Button);
    cancel.setCaption("Cancel");
    cancel.onActivate([this](const Sender&) { CancelBtnClick(); });
}

void TErrorLog::ErrorListClick()
{
    const Control& list = m_controls["ErrorList"];
    const int row = list.selected();
    if (row < 0 || row >= static_cast<int>(list.entries().size()))
        return;
    const ErrorLineParts parts = readErrorLine(list.entries()[static_cast<std::size_t>(row)]);
    m_position.ErrorFile = parts.file;
    m_position.ErrorLine = parts.line;
    m_controls["Panel0"].setText(parts.file);
    m_controls["Panel1"].setText(parts.number);
}
