#include "linker/linker_controls.h"

#include <iterator>

#include "app/control_set.h"

namespace linkercontrols {

namespace {

enum Flag : unsigned {
    None = 0,
    Disabled = 1,
    Hidden = 2,
    Red = 4,
};

struct Row {
    const char* name;
    ControlKind kind;
    const char* tab;
    const char* caption;
    std::vector<std::string> items;
    const char* initial;  // as ControlSpec::initial
    const char* label;
    unsigned flags = None;
    ControlLayout layout = {};
};

const std::vector<std::string> kTabs = {"Output", "Code", "List File", "General", "Object Files", "Libraries"};

const std::vector<std::string> kCpuItems = {
    "UNSPECIFIED", "z8",    "z80",  "z8002", "l802",  "6301",  "78300", "8048",
    "8051",        "8085",  "8096", "l6032", "78600", "6801",  "6805",  "6809",
    "68k",         "68hc11", "6502", "t99",  "t7000", "7800",  "78200", "78000"};

// Two items hold two blanks before the parenthesis; they are written to the line as they stand.
const std::vector<std::string> kFormatItems = {
    "UNSPECIFIED",    "AOMF8051",        "AOMF8096",         "ASHLING",
    "ASHLING-6031",   "ASHLING-64180",   "ASHLING-6801",     "ASHLING-8080",
    "ASHLING-8085",   "ASHLING-z80",     "DEBUG",            "EXTENDED-TEXHEX",
    "HP-CSDF",        "HP-SYMB",         "INTEL-STANDARD",   "INTEL-EXTENDED",
    "MILLENIUM  (Tektronic)", "MOTOROLA", "MPDS-CODE",       "MPDS-SYMB",
    "MSD",            "NEC-SYMBOLIC",    "PENTICA-A",        "PENTICA-B",
    "PENTICA-C",      "PENTICA-D",       "RCA",              "SYMBOLIC",
    "TEKTRONIC  (Millenium)", "TI7000 (TMS7000)", "TYPED",   "ZAX",
    "NEC78k"};

const std::vector<std::string> kSizes = {"small", "medium", "large"};

constexpr auto CB = ControlKind::CheckBox;
constexpr auto ED = ControlKind::Edit;
constexpr auto DD = ControlKind::ComboBox;
constexpr auto LB = ControlKind::Label;
constexpr auto BT = ControlKind::Button;

// The state at program start: the defaults, with the enabled states that the interlocks
// give them, so that the first "Set Defaults" finds a consistent page.
using L = ControlLayout;

// Group headings of the pages.
const char* const OutputFiles = "Output files";
const char* const Target = "Target";
const char* const Screen = "Linker run";
const char* const Checks = "Checks";
const char* const Processing = "Processing";
const char* const CrossReference = "Cross reference";
const char* const CommandFile = "Command file";
const char* const DefaultFiles = "Default command files";
const char* const PrintFormat = "Print format";

const std::vector<Row> kRows = {
    {"Linkop", CB, "Output", "Specify Output File", {}, "0", "", None, {.group = OutputFiles, .column = L::Wide}},
    {"LinkFile", ED, "Output", "", {}, "aout.a25", "", Disabled,
     {.group = OutputFiles, .column = L::Wide, .beside = true}},
    {"Linklist", CB, "Output", "Generate List File", {}, "0", "", None, {.group = OutputFiles, .column = L::Wide}},
    {"Linklistfile", ED, "Output", "", {}, "out.map", "", Disabled,
     {.group = OutputFiles, .column = L::Wide, .beside = true}},
    {"Format", DD, "Output", "", kFormatItems, "17", "Output Format", None, {.group = Target, .chars = 22}},
    {"CPU", DD, "Output", "", kCpuItems, "6", "CPU", None, {.group = Target, .chars = 11}},
    {"Stats", CB, "Output", "Suppress Screen Output", {}, "0", "", None, {.group = Screen, .column = L::Right}},
    {"Discodegen", CB, "Output", "Disable Code Generation", {}, "0", "", None,
     {.group = Screen, .column = L::Right}},
    {"FD", CB, "Output", "Force Dump", {}, "0", "", None, {.group = Screen, .column = L::Right}},

    {"GTC", CB, "Code", "Disable Global Type check", {}, "0", "", None, {.group = Checks}},
    {"LRange", CB, "Code", "Disable Range Check", {}, "0", "", None, {.group = Checks}},
    {"Overlay", CB, "Code", "Disable Overlay Check", {}, "0", "", None, {.group = Checks}},
    {"Linkwarns", CB, "Code", "Disable Warnings", {}, "0", "", None, {.group = Checks}},
    {"DisgaurdLocals", CB, "Code", "Disregard Locals", {}, "0", "", None, {.group = Processing, .column = L::Right}},
    {"FBP", CB, "Code", "Enable File Bound Processing", {}, "0", "", None, {.group = Processing, .column = L::Right}},
    {"SLDL", CB, "Code", "Suppress Loading of Default Libraries", {}, "0", "", None,
     {.group = Processing, .column = L::Right}},

    {"Crossref", CB, "List File", "Generate Cross reference listing", {}, "0", "", None, {.group = CrossReference}},
    {"LCR1", CB, "List File", "Generate Segment Map", {}, "0", "", Disabled, {.group = CrossReference, .indent = 1}},
    {"LCR2", CB, "List File", "Generate Module Map", {}, "0", "", Disabled, {.group = CrossReference, .indent = 1}},
    {"LCR3", CB, "List File", "Generate Indexed List", {}, "0", "", Disabled, {.group = CrossReference, .indent = 1}},
    {"LCR4", CB, "List File", "Generate Entry Map", {}, "0", "", Disabled, {.group = CrossReference, .indent = 1}},
    {"SLPP", CB, "List File", "Specify Lines per Page", {}, "0", "", Disabled, {.group = CrossReference, .indent = 1}},
    // The stored text is shown until the defaults or a project give the field its value.
    {"LinkLPP", ControlKind::Numeric, "List File", "", {}, "0000", "", Disabled,
     {.group = CrossReference, .chars = 5, .beside = true}},

    {"Uselnkcmd", CB, "General", "Use Command File", {}, "1", "", None, {.group = CommandFile, .column = L::Wide}},
    {"LinkerCmdfile", ED, "General", "", {}, "LK7832SL", "", None,
     {.group = CommandFile, .column = L::Wide, .beside = true}},
    {"BitBtn1", BT, "General", "..", {}, "", "", None,
     {.group = CommandFile, .column = L::Wide, .chars = 3, .beside = true}},
    {"User", CB, "General", "User Defined", {}, "0", "", None, {.group = CommandFile, .column = L::Wide, .indent = 1}},
    {"Addext", CB, "General", "Add extension [*.xcl] to linker command file name", {}, "0", "", None,
     {.group = CommandFile, .column = L::Wide, .indent = 1}},
    {"DefFilesMsg", LB, "General", "These options select one of six default command files", {}, "", "", None,
     {.group = DefaultFiles, .column = L::Wide}},
    {"PWbox", DD, "General", "", kSizes, "0", "Write Format", None,
     {.group = DefaultFiles, .column = L::Wide, .chars = 7}},
    {"MBox", DD, "General", "", {"0000", "8000"}, "0", "Set Segment Address", None,
     {.group = DefaultFiles, .column = L::Wide, .chars = 7}},
    {"UseFormats", CB, "General", "Enable Print format in Command Line", {}, "0", "", None,
     {.group = PrintFormat, .column = L::Wide}},
    {"RFMsg", LB, "General", "Read Format", {}, "", "", Hidden,
     {.group = PrintFormat, .column = L::Wide, .indent = 1}},
    {"PRBox", DD, "General", "", kSizes, "0", "", Hidden,
     {.group = PrintFormat, .column = L::Wide, .chars = 7, .beside = true}},
    {"PFNote1", LB, "General", "NOTE If a Command file is used, a check will be made for the presence", {}, "", "",
     Red, {.group = PrintFormat, .column = L::Wide}},
    {"PFNote2", LB, "General", "of Print Formatting in that file", {}, "", "", Red,
     {.group = PrintFormat, .column = L::Wide}},

    {"RtlMsg1", LB, "Object Files", "Include any files required for runtime support", {}, "", "", None,
     {.column = L::Wide}},
    {"RtlMsg2", LB, "Object Files", "E.g. Cstartup.r25, watchdog.r25", {}, "", "", None, {.column = L::Wide}},
    {"Objectfiles", ControlKind::List, "Object Files", "", {}, "", "", None, {.column = L::Wide}},
    {"Button22", BT, "Object Files", "Add", {}, "", "", None, {.column = L::Wide, .beside = true}},
    {"Button25", BT, "Object Files", "Remove", {}, "", "", None, {.column = L::Wide, .beside = true}},
    {"CLRLST", BT, "Object Files", "Clear All", {}, "", "", None, {.column = L::Wide, .beside = true}},
    {"ObjWarn1", LB, "Object Files", "WARNING These files can be included in   ", {}, "", "", Red, {.column = L::Wide}},
    {"ObjWarn2", LB, "Object Files", "Command files Tarnel will warn you if you also include them here.", {}, "",
     "", Red, {.column = L::Wide}},

    {"LibMsg", LB, "Libraries", "Include the required c library for your CPU e.g. cl7832s.r25", {}, "", "", None,
     {.column = L::Wide}},
    {"LibraryFiles", ControlKind::List, "Libraries", "", {}, "", "", None, {.column = L::Wide}},
    {"LibAdd", BT, "Libraries", "Add", {}, "", "", None, {.column = L::Wide, .beside = true}},
    {"Button35", BT, "Libraries", "Remove", {}, "", "", None, {.column = L::Wide, .beside = true}},
    {"Button36", BT, "Libraries", "Clear All", {}, "", "", None, {.column = L::Wide, .beside = true}},
    {"LibWarn1", LB, "Libraries", "WARNING These files are usualy included in  the default ", {}, "", "", Red,
     {.column = L::Wide}},
    {"LibWarn2", LB, "Libraries", "Command files Tarnel will warn you if you also include them here.", {}, "", "",
     Red, {.column = L::Wide}},
};

// The four buttons that every page carries, named by prefix and page index.
struct PageButton {
    const char* prefix;
    const char* caption;
    ControlLayout::Role role;
};
const PageButton kPageButtons[] = {{"LinkDefs", "Set Defaults", L::PageButton},
                                   {"LinkHelp", "Help", L::PageButton},
                                   {"LinkCancel", "Cancel", L::CancelButton},
                                   {"LinkOK", "OK", L::PageButton}};

const int kHelpTopics[] = {29, 23, 27, 14, 28, 26};

}  // namespace

const std::vector<std::string>& tabs()
{
    return kTabs;
}

const std::vector<std::string>& cpuItems()
{
    return kCpuItems;
}

void declare(ControlSet& controls)
{
    Control& pages =
        controls.add({Pages, ControlKind::PageSet, "", "", "", kTabs, "0", "", {.maxWidth = L::ReadableWidth}});
    pages.setVisible(false);
    // Only a generated list file has a page of list options.
    pages.setTabVisible("List File", false);

    for (const Row& row : kRows) {
        Control& c = controls.add(
            {row.name, row.kind, Pages, row.tab, row.caption, row.items, row.initial, row.label, row.layout});
        c.setEnabled((row.flags & Disabled) == 0);
        c.setVisible((row.flags & Hidden) == 0);
        c.textIsRed = (row.flags & Red) != 0;
    }
    controls["LinkLPP"].hex().setHexadecimal(false);

    for (int page = 0; page < static_cast<int>(kTabs.size()); ++page) {
        for (const PageButton& b : kPageButtons) {
            Control& c = controls.add(std::string(b.prefix) + std::to_string(page), ControlKind::Button);
            c.page = Pages;
            c.tab = kTabs[static_cast<std::size_t>(page)];
            c.tag = page;
            c.setCaption(b.caption);
            if (std::string(b.prefix) == "LinkHelp")
                c.helpContext = kHelpTopics[page];
            c.layout.role = b.role;
        }
    }
}

}  // namespace linkercontrols
