#include "components/t_kurl2.h"

#include "platform/host/shell.h"

const char* const TKURL2::DefaultHint = "Put here the Hint for your site link!";

void TKURL2::setURLorEMAIL(const std::string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    if (onTextChanged)
        onTextChanged();
}

std::string TKURL2::target() const
{
    return Choose == LinkType::ltEMAIL ? "mailto:" + m_text : m_text;
}

void TKURL2::open() const
{
    m_shell.openMaximized(target(), "", "");
}
