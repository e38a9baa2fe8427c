#include "build/compiler_interlocks.h"

#include <string_view>
#include <vector>

#include "app/control_set.h"
#include "platform/paths/win_path.h"

namespace {

struct Rule {
    const char* box;
    std::vector<const char*> dependents;
};

// Each box enables its dependents exactly while it is checked.
const std::vector<Rule>& rules()
{
    static const std::vector<Rule> r = {
        {"Strict", {"Syntax", "ANSI"}},
        {"GLF",
         {"IM", "Active", "ListIncludes", "FF", "GCR", "LPP", "Tabs", "Lines", "SourceNames", "ListFile", "GCR1",
          "GCR2", "GCR3", "GCR4"}},
        {"GCR", {"GCR1", "GCR2", "GCR3", "GCR4"}},
        {"NameObj", {"ObjectFile"}},
        {"ASSMB", {"AssemblerFile"}},
    };
    return r;
}

void follow(ControlSet& c, const Rule& rule)
{
    const bool on = c[rule.box].checked();
    for (const char* name : rule.dependents)
        c[name].setEnabled(on);
}

void followBox(ControlSet& c, std::string_view box)
{
    for (const Rule& rule : rules())
        if (box == rule.box)
            follow(c, rule);
}

}  // namespace

CompilerInterlocks::CompilerInterlocks(ControlSet& controls, std::function<std::string()> compileDir)
    : m_controls(controls), m_compileDir(std::move(compileDir))
{
    for (const Rule& rule : rules())
        m_controls[rule.box].onCheckedChange([this, &rule] { follow(m_controls, rule); });
    m_controls["ObjectFile"].onExit([this] { ObjectFileExit(); });
    m_observer = m_controls.subscribe([this](Control& c, Property p) {
        if (p == Property::Text)
            syncDebugger(c);
    });
}

CompilerInterlocks::~CompilerInterlocks()
{
    m_controls.unsubscribe(m_observer);
}

void CompilerInterlocks::StrictClick()
{
    followBox(m_controls, "Strict");
}

void CompilerInterlocks::GLFClick()
{
    followBox(m_controls, "GLF");
}

void CompilerInterlocks::GCRClick()
{
    followBox(m_controls, "GCR");
}

void CompilerInterlocks::NameObjClick()
{
    followBox(m_controls, "NameObj");
}

void CompilerInterlocks::ASSMBClick()
{
    followBox(m_controls, "ASSMB");
}

void CompilerInterlocks::applyAll()
{
    for (const Rule& rule : rules())
        follow(m_controls, rule);
}

void CompilerInterlocks::ObjectFileExit()
{
    if (!m_controls["NameObj"].checked())
        return;
    Control& field = m_controls["ObjectFile"];
    std::string text = field.text();
    if (!winpath::hasDirectoryPart(text))
        text = winpath::join(m_compileDir(), text);
    if (winpath::extension(text).empty())
        text += ".r25";
    field.setText(text);
}

// The edit shows the up/down position; a typed position within range moves the up/down.
void CompilerInterlocks::syncDebugger(Control& changed)
{
    static const std::string updownName = "Debuger", editName = "DeBugg";
    if (changed.name() == updownName) {
        m_controls[editName].setText(std::to_string(changed.value()));
    } else if (changed.name() == editName) {
        Control& updown = m_controls[updownName];
        long long v = 0;
        if (winpath::parseInt(changed.text(), v) && v >= updown.minValue && v <= updown.maxValue
            && std::to_string(v) == changed.text())
            updown.setValue(v);
    }
}
