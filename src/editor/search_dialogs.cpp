#include "editor/search_dialogs.h"

void SearchDialog::show(ScreenPoint at)
{
    position = at;
    m_shown = true;
    if (m_onChange)
        m_onChange();
}

void SearchDialog::close()
{
    if (!m_shown)
        return;
    m_shown = false;
    if (m_onChange)
        m_onChange();
}
