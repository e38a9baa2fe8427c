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

ControlSpec check(const char* tab, const char* name, const char* caption, bool on = false)
{
    return {name, K::CheckBox, Pages, tab, caption, {}, on ? "1" : "", ""};
}

ControlSpec edit(const char* tab, const char* name, const char* label = "", const char* initial = "")
{
    return {name, K::Edit, Pages, tab, "", {}, initial, label};
}

std::vector<ControlSpec> build()
{
    std::vector<ControlSpec> t = {
        check("Compiler", "ENC", "Enable Nested Comments", true),
        check("Compiler", "DW", "Disable warnings"),
        check("Compiler", "Strict", "Enable Strict Warnings", true),
        check("Compiler", "Syntax", "Syntax Check Only"),
        check("Compiler", "ANSI", "Allow ANSI"),
        check("Compiler", "EE", "Enable Extensions", true),
        check("Compiler", "SC", "Assume Char is Signed"),
        check("Compiler", "Silent", "Silent"),
        check("Compiler", "SIV", "Put strings into Variable memory"),
        check("Compiler", "D64", "Doubles are 64 Bit"),
        check("Compiler", "PutAll", "Put all functions variable on Stack"),
        check("Compiler", "COMM", "Use Command file"),
        edit("Compiler", "commandfile"),
        {"Optomisation", K::ComboBox, Pages, "Compiler", "", {"None", "Speed", "Size"}, "0", "Optomisation"},

        check("Memory", "SSN", "Definet Segment Name"),
        edit("Memory", "Segname"),
        {"MemoryModel", K::ComboBox, Pages, "Memory", "", {"Standard", "Banked"}, "0", "Memory Model"},

        {"ProjNameLabel", K::Label, Pages, "Project", "Enter Name for New Project", {}, "", ""},
        edit("Project", "projname"),
        check("Project", "Pause", "Pause before invoking Linker"),

        check("List File", "GLF", "Generate List file"),
        check("List File", "SourceNames", "Use Source names [*.lst]"),
        {"base", K::Label, Pages, "List File", "Base Name for List File", {}, "", ""},
        edit("List File", "ListFile"),
        {"Tabs", K::Numeric, Pages, "List File", "", {}, "", "Tab  Spacing"},
        check("List File", "LPP", "Specify Lines per Page"),
        {"Lines", K::Numeric, Pages, "List File", "", {}, "", ""},
        check("List File", "GCR", "Generate cross reference"),
        check("List File", "GCR1", "Unreferenced #defines"),
        check("List File", "GCR2", "Unreferenced function declarations"),
        check("List File", "GCR3", "Unreferenced enum consts and typedefs"),
        check("List File", "GCR4", "Dual Line Spacing"),
        check("List File", "IM", "Include Menomics"),
        check("List File", "Active", "List Active Lines only "),
        check("List File", "ListIncludes", "List Include Files"),
        check("List File", "FF", "Insert Form feed after each function"),

        check("Output", "NameObj", "Object File"),
        edit("Output", "ObjectFile"),
        check("Output", "ASSMB", "Assembler File"),
        edit("Output", "AssemblerFile"),
        {"AsmBrowse", K::Button, Pages, "Output", "...", {}, "", ""},
        check("Output", "DOMH", "Define Object Module Header"),
        edit("Output", "ModuleFile"),
        check("Output", "MOL", "Make Object file a Library"),
        check("Output", "prom", "Generate PROM Code"),
        {"ProcType", K::ComboBox, Pages, "Output", "", {"78310", "78310A", "78320", "78327", "78330"}, "2",
         "Processor"},

        check("Debug", "DBug", "Include debug information"),
        check("Debug", "specify", "Specify Debugger"),
        check("Debug", "INCI", "Include Include file information"),
        check("Debug", "INCLN", "Include Line Numbers"),
        edit("Debug", "DeBugg", "Debugger Hardware Type", "0"),
        {"Debuger", K::UpDown, Pages, "Debug", "", {}, "0", ""},
    };
    for (std::size_t i = 0; i < tabs().size(); ++i) {
        const std::string n = std::to_string(i);
        const char* tab = tabs()[i];
        t.push_back({"CompDefaults" + n, K::Button, Pages, tab, "Set Defaults", {}, "", ""});
        t.push_back({"CompHelp" + n, K::Button, Pages, tab, "Help", {}, "", "", helpTopics()[i]});
        t.push_back({"CompCancel" + n, K::Button, Pages, tab, "Cancel", {}, "", ""});
        if (std::string(tab) == "Project")
            t.push_back({"NameOK", K::Button, Pages, tab, "Accept", {}, "", ""});
        else
            t.push_back({"CompOK" + n, K::Button, Pages, tab, "OK", {}, "", ""});
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
    Control& pages = controls.add({Pages, K::PageSet, "", "", "", captions, "0", ""});
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
