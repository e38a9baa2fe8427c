#include "linker/compose_linker_line.h"

#include "app/control_set.h"
#include "platform/paths/win_path.h"

const char* const DefaultCommandFiles[6] = {"LK7832SL", "LK7832ML", "LK7832LL",
                                            "LK7832SH", "LK7832MH", "LK7832LH"};

namespace {

struct SwitchRow {
    const char* control;
    const char* text;
};

// In the order the linker line carries them.
const SwitchRow kCheckSwitches[] = {
    {"Stats", " -S"},   {"GTC", " -G"},     {"Linkwarns", " -w"}, {"LRange", " -R"},
    {"DisgaurdLocals", " -n"}, {"Discodegen", " -d"}, {"Overlay", " -z"}, {"FBP", " -m"},
    {"FD", " -B"},      {"SLDL", " -K"},
};

const SwitchRow kCrossrefLetters[] = {{"LCR1", "s"}, {"LCR2", "m"}, {"LCR4", "e"}};

// A list without a chosen item counts as its first item, so the table index stays in range.
int chosen(const Control& box)
{
    return box.itemIndex() < 0 ? 0 : box.itemIndex();
}

std::string fileNames(const Control& list)
{
    std::string out;
    for (const std::string& entry : list.entries())
        out += " " + winpath::fileName(entry);
    return out;
}

}  // namespace

void ApplyPrintFormat(ControlSet& c, PrintFormatSwitches& switches)
{
    if (!c["User"].checked()) {
        const int index = 3 * chosen(c["MBox"]) + chosen(c["PWbox"]);
        std::string name = DefaultCommandFiles[index];
        if (c["Addext"].checked())
            name += ".xcl";
        c["LinkerCmdfile"].setText(name);
    }
    switches = {};
    if (c["UseFormats"].checked()) {
        switches.write = " -e_" + c["PWbox"].text() + "_write=_formatted_write";
        switches.read = " -e_" + c["PRBox"].text() + "_read=_formatted_read";
    }
}

std::string ComposeLinkerLine(ControlSet& c, PrintFormatSwitches& switches)
{
    std::string options;
    if (c["Linkop"].checked())
        options = "-o " + c["LinkFile"].text();
    if (c["Linklist"].checked())
        options += " -l " + c["Linklistfile"].text();
    for (const SwitchRow& row : kCheckSwitches)
        if (c[row.control].checked())
            options += row.text;
    if (c["Crossref"].checked()) {
        options += " -x";
        for (const SwitchRow& row : kCrossrefLetters)
            if (c[row.control].checked())
                options += row.text;
    }
    if (c["CPU"].itemIndex() > 0)
        options += " -c" + c["CPU"].text();
    if (c["Format"].itemIndex() > 0)
        options += " -F" + c["Format"].text();
    if (c["Uselnkcmd"].checked())
        options += " -f " + c["LinkerCmdfile"].text();
    ApplyPrintFormat(c, switches);
    options += switches.write + switches.read;

    const std::string objects = fileNames(c["Objectfiles"]);
    std::string libraries = fileNames(c["LibraryFiles"]);
    if (!winpath::trim(libraries).empty())
        libraries = " -C " + libraries;
    return objects + " " + options + " " + libraries;
}
