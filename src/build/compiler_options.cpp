#include "build/compiler_options.h"

#include <vector>

#include "app/tembedded.h"
#include "components/help_handlers.h"
#include "build/build_files.h"
#include "build/compiler_command_line.h"
#include "build/compiler_controls.h"
#include "build/compiler_interlocks.h"

namespace {

enum class Set { Checked, Index, Value, Text, Enabled };

struct Default {
    const char* control;
    Set what;
    int value;
    const char* text = "";
};

// "Set Defaults": the texts of Segname, ObjectFile, AssemblerFile and ModuleFile stay as they are.
const std::vector<Default>& defaults()
{
    static const std::vector<Default> d = {
        {"ENC", Set::Checked, 1},          {"DW", Set::Checked, 0},          {"Strict", Set::Checked, 1},
        {"Syntax", Set::Checked, 0},       {"ANSI", Set::Checked, 0},        {"EE", Set::Checked, 1},
        {"SC", Set::Checked, 0},           {"Silent", Set::Checked, 0},      {"SIV", Set::Checked, 0},
        {"D64", Set::Checked, 0},          {"PutAll", Set::Checked, 0},      {"COMM", Set::Checked, 0},
        {"commandfile", Set::Text, 0, ""}, {"Optomisation", Set::Index, 0},  {"SSN", Set::Checked, 0},
        {"MemoryModel", Set::Index, 0},    {"Pause", Set::Checked, 0},       {"SourceNames", Set::Checked, 1},
        {"GLF", Set::Checked, 0},          {"Stats", Set::Checked, 0},       {"Tabs", Set::Value, 0},
        {"LPP", Set::Checked, 0},          {"Lines", Set::Value, 80},        {"GCR", Set::Checked, 0},
        {"GCR1", Set::Checked, 0},         {"GCR2", Set::Checked, 0},        {"GCR3", Set::Checked, 0},
        {"GCR4", Set::Checked, 0},         {"IM", Set::Checked, 0},          {"Active", Set::Checked, 0},
        {"ListIncludes", Set::Checked, 0}, {"FF", Set::Checked, 0},          {"ListFile", Set::Text, 0, "Comp.lst"},
        {"NameObj", Set::Checked, 0},      {"ASSMB", Set::Checked, 0},       {"DOMH", Set::Checked, 0},
        {"MOL", Set::Checked, 0},          {"prom", Set::Checked, 0},        {"ProcType", Set::Index, 2},
        {"ObjectFile", Set::Enabled, 0},   {"AssemblerFile", Set::Enabled, 0}, {"ModuleFile", Set::Enabled, 0},
        {"DBug", Set::Checked, 0},         {"specify", Set::Checked, 0},     {"INCI", Set::Checked, 0},
        {"INCLN", Set::Checked, 0},        {"Debuger", Set::Value, 0},
    };
    return d;
}

}  // namespace

CompilerOptions::CompilerOptions(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    compilercontrols::declare(c);
    m_interlocks = std::make_unique<CompilerInterlocks>(c, [&app] { return app.compileDir(); });
    m_interlocks->applyAll();
    m_commandLine = std::make_unique<CompilerCommandLine>(
        c, CompilerCommandLine::Environment{[&app] { return app.compileDir(); },
                                            [&app](const std::string& text) { app.message(text); }});
    wireButtons();
}

CompilerOptions::~CompilerOptions() = default;

void CompilerOptions::wireButtons()
{
    ControlSet& c = m_app.controls();
    c["CompilerOptions"].onActivate([this](const Sender&) { CompilerOptionsClick(); });
    c["CompOptsBtn"].onActivate([this](const Sender&) { Memory1Click(); });
    for (std::size_t i = 0; i < compilercontrols::tabs().size(); ++i) {
        const std::string n = std::to_string(i);
        c["CompDefaults" + n].onActivate([this](const Sender&) { DefaultsClick(); });
        c["CompHelp" + n].onActivate([this](const Sender& s) { m_app.help().HelpbtnClick(s); });
        c["CompCancel" + n].onActivate([this](const Sender&) { CancelCompOptsClick(); });
        if (Control* ok = c.find("CompOK" + n))
            ok->onActivate([this](const Sender& s) { CompOptsOKClick(s); });
    }
}

std::string CompilerOptions::CompilerParams(const std::string& sourceName)
{
    return m_commandLine->CompilerParams(sourceName);
}

int CompilerOptions::listFileCounter() const
{
    return m_commandLine->listFileCounter();
}

// Once hidden, ListFile and its label stay hidden.
void CompilerOptions::hideListFileWhenSourceNames()
{
    ControlSet& c = m_app.controls();
    if (!c["SourceNames"].checked())
        return;
    c["ListFile"].setVisible(false);
    c["base"].setVisible(false);
}

void CompilerOptions::CompilerOptionsClick()
{
    Control& pages = m_app.controls()[compilercontrols::Pages];
    pages.setVisible(true);
    pages.showTab("Compiler");
    GLFClick();
    hideListFileWhenSourceNames();
}

void CompilerOptions::Memory1Click()
{
    ControlSet& c = m_app.controls();
    const std::vector<std::string>& sources = c["ProjectListBox"].entries();
    if (!sources.empty()) {
        const std::string dir = m_app.compileDir();
        const struct {
            const char* box;
            const char* field;
            const char* extension;
        } outputs[] = {{"NameObj", "ObjectFile", ".r25"}, {"ASSMB", "AssemblerFile", ".s25"}};
        for (const auto& o : outputs) {
            if (c[o.box].checked())
                continue;
            c[o.field].setEnabled(false);
            c[o.field].setText(compilerOutputName(dir, sources, o.extension));
        }
    }
    GLFClick();
    hideListFileWhenSourceNames();
    c["LinkerTabs"].setVisible(false);
    Control& pages = c[compilercontrols::Pages];
    pages.setVisible(true);
    pages.showTab("Memory");
}

void CompilerOptions::ObjectFileExit()
{
    m_interlocks->ObjectFileExit();
}

void CompilerOptions::DefaultsClick()
{
    ControlSet& c = m_app.controls();
    for (const Default& d : defaults()) {
        Control& ctl = c[d.control];
        switch (d.what) {
        case Set::Checked:
            ctl.setChecked(d.value != 0);
            break;
        case Set::Index:
            ctl.setItemIndex(d.value);
            break;
        case Set::Value:
            ctl.setValue(d.value);
            break;
        case Set::Text:
            ctl.setText(d.text);
            break;
        case Set::Enabled:
            ctl.setEnabled(d.value != 0);
            break;
        }
    }
}

void CompilerOptions::CancelCompOptsClick()
{
    m_app.controls()[compilercontrols::Pages].setVisible(false);
}

void CompilerOptions::CompOptsOKClick(const Sender& sender)
{
    m_app.controls()[compilercontrols::Pages].setVisible(false);
    m_app.UpdateStatusBar(2);
    if (m_app.projectLoaded())
        m_app.buildFiles().MakeIdeBatClick(sender);
}

void CompilerOptions::StrictClick()
{
    m_interlocks->StrictClick();
}

void CompilerOptions::GLFClick()
{
    m_interlocks->GLFClick();
}

void CompilerOptions::GCRClick()
{
    m_interlocks->GCRClick();
}

void CompilerOptions::NameObjClick()
{
    m_interlocks->NameObjClick();
}

void CompilerOptions::ASSMBClick()
{
    m_interlocks->ASSMBClick();
}
