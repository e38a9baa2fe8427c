#include "app/status_bar.h"

StatusBar::StatusBar()
{
    m_panels = {{{"Project", 140, false},
                 {"Mem 0", 65, true},
                 {"print Fmt", 78, false},
                 {"Proccessor", 45, false},
                 {"comm", 55, false},
                 {"Parameters", 250, false},
                 {"Linkpars", 50, false}}};
}

void StatusBar::setPanelText(int index, const std::string& text)
{
    auto& p = m_panels.at(static_cast<std::size_t>(index));
    if (p.text == text)
        return;
    p.text = text;
    notify();
}

void StatusBar::setMode(int mode)
{
    m_mode = mode;
    m_simpleText = mode == 1 ? m_panels[6].text : mode == 2 ? m_panels[5].text : std::string();
    notify();
}

void StatusBar::notify()
{
    for (const auto& fn : m_observers)
        fn();
}
