#pragma once
// The main window's seven-panel status bar as state: panel texts, and the display mode that
// shows either the panels or one full-width text.
#include <array>
#include <functional>
#include <string>
#include <vector>

struct StatusPanel {
    std::string text;
    int width = 0;
    bool centred = false;
};

class StatusBar {
public:
    static constexpr int PanelCount = 7;
    StatusBar();

    const StatusPanel& panel(int index) const { return m_panels.at(static_cast<std::size_t>(index)); }
    void setPanelText(int index, const std::string& text);
    // 0: the seven panels; 1: panel 6 full width; 2: panel 5 full width. The full-width text
    // is taken from its panel when the mode is set: later panel writes (progress lines) do not
    // reach it.
    int mode() const { return m_mode; }
    void setMode(int mode);
    bool simple() const { return m_mode != 0; }
    const std::string& simpleText() const { return m_simpleText; }

    void onChange(std::function<void()> fn) { m_observers.push_back(std::move(fn)); }

private:
    void notify();
    std::array<StatusPanel, PanelCount> m_panels;
    int m_mode = 0;
    std::string m_simpleText;
    std::vector<std::function<void()>> m_observers;
};
