#pragma once
// The controls of the linker option pages, declared from one table.
#include <string>
#include <vector>

class ControlSet;

namespace linkercontrols {

inline constexpr const char* Pages = "LinkerTabs";

// Tab captions in page order; the per-page buttons carry the tab's index as their tag, and
// each page's "Help" button the page's help topic as its help context.
const std::vector<std::string>& tabs();

// The processor items of the "CPU" list, index 0 first; the command file editor offers them too.
const std::vector<std::string>& cpuItems();

// Declares every control of the linker pages with its start-of-program state.
void declare(ControlSet& controls);

}  // namespace linkercontrols
