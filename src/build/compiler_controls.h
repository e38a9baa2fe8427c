#pragma once
// The controls of the compiler option pages, declared from one table.
#include <vector>

class ControlSet;
struct ControlSpec;

namespace compilercontrols {

constexpr const char* Pages = "OptionsTabs";

// Tab captions in tab order, and each tab's help topic.
const std::vector<const char*>& tabs();
const std::vector<int>& helpTopics();

// Every control of the pages with its design-time value, in tab order. The four buttons of
// tab i are CompDefaults<i>, CompHelp<i>, CompCancel<i> and CompOK<i>, except that the
// "Project" tab's fourth button is NameOK ("Accept").
const std::vector<ControlSpec>& table();

// Declares the page set and every control, and sets up the numeric fields and the
// debugger up/down control.
void declare(ControlSet& controls);

}  // namespace compilercontrols
