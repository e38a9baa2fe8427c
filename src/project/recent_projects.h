#pragma once
// The projects opened last, most recent first, for the "Recent Projects" submenu of the
// "Project" menu. Kept in the settings under value names of our own.
#include <string>
#include <vector>

class Control;
class SettingsStore;

class RecentProjects {
public:
    static constexpr int Capacity = 8;
    // The "Project" menu's item that opens the submenu; its entries are the menu captions.
    static constexpr const char* MenuItem = "RecentProjects1";

    const std::vector<std::string>& paths() const { return m_paths; }
    // Puts the project first; a project already listed (its path without regard to case, as
    // Windows compares it) moves up instead of standing twice, and the oldest past eight drops off.
    void add(const std::string& path);
    void remove(const std::string& path);

    // Empty values and repeats are passed over, as are values past eight.
    void read(const SettingsStore& store);
    // Always all eight values, the unused ones empty, so that a shorter list leaves none behind.
    void write(SettingsStore& store) const;
    static std::string valueName(int index);

    // "&1 C:\Tarnel\sample.prj": the number is the accelerator, an "&" of the path shows as itself.
    std::vector<std::string> captions() const;
    // The submenu item shows the list and is enabled only when there is something to choose.
    void showIn(Control& item) const;

private:
    std::vector<std::string> m_paths;
};
