#pragma once
// The memory usage the dock shows: read again whenever a build that ran the linker ends, with
// each figure's change since the project's previous build; and a symbol's way to its source.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "linker/memory_usage.h"

class BuildOutput;
class ControlSet;
class EditorWindows;
class Files;
class Settings;

// The usage after a build that ran the linker (nullopt when it did not), the previous figures
// compared and replaced by this build's.
std::optional<MemoryUsage> memoryAfterBuild(const BuildOutput& output, const ControlSet& controls,
                                            const Settings& settings, Files& files);

// The same, read from the list file the last link left, for a target found up to date.
MemoryUsage memoryOfLastLink(const ControlSet& controls, const Settings& settings, Files& files);

// The 1-based line of a source's lines that defines the symbol, else the first that names it;
// 0 when none does.
int definitionLine(const std::vector<std::string>& lines, const std::string& symbol);

class MemoryWatch
{
public:
    static constexpr const char* MenuItem = "ViewMemoryUsage";

    MemoryWatch(ControlSet& controls, Files& files, const Settings& settings, BuildOutput& output,
                EditorWindows& editors);
    ~MemoryWatch();
    MemoryWatch(const MemoryWatch&) = delete;
    MemoryWatch& operator=(const MemoryWatch&) = delete;

    // Nothing until the first linked build ends.
    const std::optional<MemoryUsage>& usage() const { return m_usage; }

    // What the panel says above the figures: what was linked, or why there are none.
    std::string statusText() const;

    bool visible() const;
    void setVisible(bool on);

    // A symbol's module that is a project source opens there, at the symbol's definition; the
    // answer when nothing opened.
    std::string openSymbol(const ListedSymbol& symbol);

    std::function<void()> onChanged;

private:
    void buildChanged();

    ControlSet& m_controls;
    Files& m_files;
    const Settings& m_settings;
    BuildOutput& m_output;
    EditorWindows& m_editors;
    int m_subscription = 0;
    bool m_seenEnd = false;
    std::optional<MemoryUsage> m_usage;
};
