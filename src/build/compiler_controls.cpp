#include "build/compiler_controls.h"

#include <string>

#include "app/control_set.h"

namespace compilercontrols {

const std::vector<const char*>& tabs()
{
    static const std::vector<const char*> t = {"Compiler", "Memory", "Project", "List File", "Output", "Debug"};
    return t;
}

const std::vector<int>& helpTopics()
{
    static const std::vector<int> t = {8, 4, 2, 3, 36, 1};
    return t;
}

namespace {

using K = ControlKind;
using L = ControlLayout;

// Group headings of the pages.
const char* const Warnings = "Warnings";
const char* const Language = "Language";
const char* const CodeGeneration = "Code generation";
const char* const CommandFile = "Command file";
const char* const Model = "Memory model";
const char* const Segment = "Segment";
const char* const NewProject = "New project";
const char* const Build = "Build";
const char* const ListName = "List file name";
const char* const PageLayout = "Page layout";
const char* const Contents = "Contents";
const char* const CrossReference = "Cross reference";
const char* const OutputFiles = "Output files";
const char* const ObjectCode = "Object code";
const char* const Target = "Target";
const char* const DebugInfo = "Debug information";

ControlSpec check(const char* tab, const char* name, const char* caption, L at, bool on = false)
{
    return {name, K::CheckBox, Pages, tab, caption, {}, on ? "1" : "", "", at};
}

ControlSpec edit(const char* tab, const char* name, L at, const char* label = "", const char* initial = "")
{
    return {name, K::Edit, Pages, tab, "", {}, initial, label, at};
}

std::vector<ControlSpec> build()
{
    std::vector<ControlSpec> t = {
        check("Compiler", "Strict", "Enable Strict Warnings", {.group = Warnings}, true),
        check("Compiler", "Syntax", "Syntax Check Only", {.group = Warnings, .indent = 1}),
        check("Compiler", "ANSI", "Allow ANSI", {.group = Warnings, .indent = 1}),
        check("Compiler", "DW", "Disable warnings", {.group = Warnings}),
        check("Compiler", "Silent", "Silent", {.group = Warnings}),
        check("Compiler", "ENC", "Enable Nested Comments", {.group = Language}, true),
        check("Compiler", "EE", "Enable Extensions", {.group = Language}, true),
        check("Compiler", "SC", "Assume Char is Signed", {.group = Language}),
        check("Compiler", "D64", "Doubles are 64 Bit", {.group = Language}),
        check("Compiler", "SIV", "Put strings into Variable memory", {.group = CodeGeneration, .column = L::Right}),
        check("Compiler", "PutAll", "Put all functions variable on Stack",
              {.group = CodeGeneration, .column = L::Right}),
        {"Optomisation", K::ComboBox, Pages, "Compiler", "", {"None", "Speed", "Size"}, "0", "Optomisation",
         {.group = CodeGeneration, .column = L::Right, .chars = 8}},
        check("Compiler", "COMM", "Use Command file", {.group = CommandFile, .column = L::Right}),
        edit("Compiler", "commandfile", {.group = CommandFile, .column = L::Right, .beside = true}),

        {"MemoryModel", K::ComboBox, Pages, "Memory", "", {"Standard", "Banked"}, "0", "Memory Model",
         {.group = Model, .chars = 10}},
        check("Memory", "SSN", "Definet Segment Name", {.group = Segment, .column = L::Right}),
        edit("Memory", "Segname", {.group = Segment, .column = L::Right, .chars = 16, .beside = true}),

        {"ProjNameLabel", K::Label, Pages, "Project", "Enter Name for New Project", {}, "", "",
         {.group = NewProject}},
        edit("Project", "projname", {.group = NewProject}),
        check("Project", "Pause", "Pause before invoking Linker", {.group = Build, .column = L::Right}),

        check("List File", "GLF", "Generate List file", {.column = L::Wide}),
        check("List File", "SourceNames", "Use Source names [*.lst]", {.group = ListName}),
        {"base", K::Label, Pages, "List File", "Base Name for List File", {}, "", "", {.group = ListName}},
        edit("List File", "ListFile", {.group = ListName, .beside = true}),
        {"Tabs", K::Numeric, Pages, "List File", "", {}, "", "Tab  Spacing", {.group = PageLayout, .chars = 4}},
        check("List File", "LPP", "Specify Lines per Page", {.group = PageLayout}),
        {"Lines", K::Numeric, Pages, "List File", "", {}, "", "", {.group = PageLayout, .chars = 4, .beside = true}},
        check("List File", "IM", "Include Menomics", {.group = Contents, .column = L::Right}),
        check("List File", "Active", "List Active Lines only ", {.group = Contents, .column = L::Right}),
        check("List File", "ListIncludes", "List Include Files", {.group = Contents, .column = L::Right}),
        check("List File", "FF", "Insert Form feed after each function", {.group = Contents, .column = L::Right}),
        check("List File", "GCR", "Generate cross reference", {.group = CrossReference, .column = L::Right}),
        check("List File", "GCR1", "Unreferenced #defines", {.group = CrossReference, .column = L::Right, .indent = 1}),
        check("List File", "GCR2", "Unreferenced function declarations",
              {.group = CrossReference, .column = L::Right, .indent = 1}),
        check("List File", "GCR3", "Unreferenced enum consts and typedefs",
              {.group = CrossReference, .column = L::Right, .indent = 1}),
        check("List File", "GCR4", "Dual Line Spacing", {.group = CrossReference, .column = L::Right, .indent = 1}),

        check("Output", "NameObj", "Object File", {.group = OutputFiles, .column = L::Wide}),
        edit("Output", "ObjectFile", {.group = OutputFiles, .column = L::Wide, .beside = true}),
        check("Output", "ASSMB", "Assembler File", {.group = OutputFiles, .column = L::Wide}),
        edit("Output", "AssemblerFile", {.group = OutputFiles, .column = L::Wide, .beside = true}),
        {"AsmBrowse", K::Button, Pages, "Output", "...", {}, "", "",
         {.group = OutputFiles, .column = L::Wide, .chars = 3, .beside = true}},
        check("Output", "DOMH", "Define Object Module Header", {.group = OutputFiles, .column = L::Wide}),
        edit("Output", "ModuleFile", {.group = OutputFiles, .column = L::Wide, .beside = true}),
        check("Output", "MOL", "Make Object file a Library", {.group = ObjectCode}),
        check("Output", "prom", "Generate PROM Code", {.group = ObjectCode}),
        {"ProcType", K::ComboBox, Pages, "Output", "", {"78310", "78310A", "78320", "78327", "78330"}, "2",
         "Processor", {.group = Target, .column = L::Right, .chars = 7}},

        check("Debug", "DBug", "Include debug information", {.group = DebugInfo}),
        check("Debug", "INCI", "Include Include file information", {.group = DebugInfo, .indent = 1}),
        check("Debug", "INCLN", "Include Line Numbers", {.group = DebugInfo, .indent = 1}),
        check("Debug", "specify", "Specify Debugger", {.group = DebugInfo, .indent = 1}),
        edit("Debug", "DeBugg", {.group = DebugInfo, .indent = 2, .chars = 2}, "Debugger Hardware Type", "0"),
        {"Debuger", K::UpDown, Pages, "Debug", "", {}, "0", "", {.group = DebugInfo, .beside = true}},
    };
    const L pageButton{.role = L::PageButton};
    for (std::size_t i = 0; i < tabs().size(); ++i) {
        const std::string n = std::to_string(i);
        const char* tab = tabs()[i];
        t.push_back({"CompDefaults" + n, K::Button, Pages, tab, "Set Defaults", {}, "", "", pageButton});
        t.push_back({"CompHelp" + n, K::Button, Pages, tab, "Help", {}, "", "", pageButton, helpTopics()[i]});
        t.push_back({"CompCancel" + n, K::Button, Pages, tab, "Cancel", {}, "", "", {.role = L::CancelButton}});
        if (std::string(tab) == "Project")
            t.push_back({"NameOK", K::Button, Pages, tab, "Accept", {}, "", "", pageButton});
        else
            t.push_back({"CompOK" + n, K::Button, Pages, tab, "OK", {}, "", "", pageButton});
    }
    return t;
}

}  // namespace

const std::vector<ControlSpec>& table()
{
    static const std::vector<ControlSpec> t = build();
    return t;
}

void declare(ControlSet& controls)
{
    std::vector<std::string> captions(tabs().begin(), tabs().end());
    Control& pages = controls.add({Pages, K::PageSet, "", "", "", captions, "0", "", {.maxWidth = L::ReadableWidth}});
    pages.setVisible(false);
    controls.addAll(table());

    // Hexadecimal display, no bounds; the value goes to the command line in decimal.
    for (const char* name : {"Tabs", "Lines"}) {
        HexEditModel& hex = controls[name].hex();
        hex.setHexadecimal(true);
        hex.setHexDigits(4);
        hex.setBounds(0, 0);
    }
    Control& updown = controls["Debuger"];
    updown.minValue = 0;
    updown.maxValue = 2;
}

}  // namespace compilercontrols
