#include "linker/linker_options.h"

#include "app/tembedded.h"
#include "components/help_handlers.h"
#include "build/build_files.h"
#include "linker/command_file_check.h"
#include "linker/linker_controls.h"

namespace {

constexpr int LinkFileLine = 49;

struct CheckDefault {
    const char* name;
    bool on;
};

// Page by page, so each interlock sees the boxes before it already reset.
const CheckDefault kCheckDefaults[] = {
    {"Linkop", false},    {"Linklist", false},  {"Stats", false},     {"Discodegen", false},
    {"FD", false},        {"GTC", false},       {"Linkwarns", false}, {"LRange", false},
    {"DisgaurdLocals", false}, {"Overlay", false}, {"FBP", false},    {"SLDL", false},
    {"Crossref", false},  {"LCR1", false},      {"LCR2", false},      {"LCR3", false},
    {"LCR4", false},      {"SLPP", false},      {"Uselnkcmd", true},  {"User", false},
    {"Addext", false},
};

}  // namespace

LinkerOptions::LinkerOptions(TEmbedded& app) : m_app(app), m_lists(app)
{
    linkercontrols::declare(app.controls());
    wire();
}

void LinkerOptions::wire()
{
    ControlSet& c = m_app.controls();
    c["LinkerOptions1"].onActivate([this](const Sender&) { LinkerOptions1Click(); });
    c["LinkOptsBtn"].onActivate([this](const Sender&) { LinkerOptions1Click(); });
    for (std::size_t page = 0; page < linkercontrols::tabs().size(); ++page) {
        const std::string n = std::to_string(page);
        c["LinkDefs" + n].onActivate([this](const Sender&) { LinkDefsClick(); });
        c["LinkHelp" + n].onActivate([this](const Sender& s) { m_app.help().HelpbtnClick(s); });
        c["LinkCancel" + n].onActivate([this](const Sender&) { Button15Click(); });
        c["LinkOK" + n].onActivate([this](const Sender&) { LinkOkClick(); });
    }

    c["Linkop"].onCheckedChange([this] { LinkopClick(); });
    c["Linklist"].onCheckedChange([this] { LinklistClick(); });
    c["Crossref"].onCheckedChange([this] { CrossrefClick(); });
    c["SLPP"].onCheckedChange([this] { SLPPClick(); });
    c["Uselnkcmd"].onCheckedChange([this] { UselnkcmdClick(); });
    c["UseFormats"].onCheckedChange([this] { UseFormatsClick(); });
    c["MBox"].onIndexChange([this] { MemBoxClick(); });
    c["PWbox"].onIndexChange([this] { PrintBoxClick(); });
    c["PRBox"].onIndexChange([this] { PrintBoxClick(); });

    LinkerLists& l = m_lists;
    c["Button22"].onActivate([&l](const Sender&) { l.Button22Click(); });
    c["Button25"].onActivate([&l](const Sender&) { l.Button25Click(); });
    c["CLRLST"].onActivate([&l](const Sender&) { l.CLRLSTClick(); });
    c["LibAdd"].onActivate([&l](const Sender&) { l.LibAddClick(); });
    c["Button35"].onActivate([&l](const Sender&) { l.Button35Click(); });
    c["Button36"].onActivate([&l](const Sender&) { l.Button36Click(); });
    c["BitBtn1"].onActivate([&l](const Sender&) { l.BitBtn1Click(); });
}

std::string LinkerOptions::ComposeLinkerLine()
{
    return ::ComposeLinkerLine(m_app.controls(), m_switches);
}

void LinkerOptions::ApplyPrintFormat()
{
    ::ApplyPrintFormat(m_app.controls(), m_switches);
}

void LinkerOptions::LinkerOptions1Click()
{
    ControlSet& c = m_app.controls();
    if (Control* compilerPages = c.find("OptionsTabs"))
        compilerPages->setVisible(false);
    c[linkercontrols::Pages].setVisible(true);
    c[linkercontrols::Pages].showTab("Output");
    UseFormatsClick();
}

void LinkerOptions::Button15Click()
{
    m_app.controls()[linkercontrols::Pages].setVisible(false);
}

void LinkerOptions::LinkOkClick()
{
    ControlSet& c = m_app.controls();
    c[linkercontrols::Pages].setVisible(false);
    m_app.UpdateStatusBar(1);
    if (!m_app.projectLoaded() || !c["Uselnkcmd"].checked())
        return;
    m_app.buildFiles().GenerateBuildFiles(true);
    CommandFileCheck(m_app, *this).run();
}

void LinkerOptions::LinkDefsClick()
{
    ControlSet& c = m_app.controls();
    for (const CheckDefault& d : kCheckDefaults)
        c[d.name].setChecked(d.on);

    c["LinkFile"].setText("aout.a25");
    c["LinkFile"].setEnabled(false);
    c["Linklistfile"].setText("out.map");
    c["Linklistfile"].setEnabled(false);
    c["Format"].setItemIndex(17);
    c["CPU"].setItemIndex(6);
    c["LinkLPP"].setValue(80);
    c["LinkLPP"].setEnabled(false);
    c["PWbox"].setItemIndex(0);
    c["MBox"].setItemIndex(0);

    c["Objectfiles"].setEntries({"cstartup.r25", "watchdog.r25"});
    c["LibraryFiles"].setEntries({c["D64"].checked() ? "CL7832SD" : "CL7832S"});
    // The interlock sets the target only when Linkop actually changed.
    m_app.buildTargetPath = c["LinkFile"].text();
}

void LinkerOptions::LinkopClick()
{
    ControlSet& c = m_app.controls();
    Control& file = c["LinkFile"];
    if (c["Linkop"].checked()) {
        file.setEnabled(true);
        // Without a project there is no stored name; the field keeps what it shows.
        const auto& lines = m_app.prolist();
        if (m_app.projectLoaded() && lines.size() > LinkFileLine)
            file.setText(lines[LinkFileLine]);
    } else {
        file.setEnabled(false);
        file.setText("aout.a25");
    }
    m_app.buildTargetPath = file.text();
}

void LinkerOptions::LinklistClick()
{
    ControlSet& c = m_app.controls();
    const bool on = c["Linklist"].checked();
    c[linkercontrols::Pages].setTabVisible("List File", on);
    c["Linklistfile"].setEnabled(on);
}

void LinkerOptions::CrossrefClick()
{
    ControlSet& c = m_app.controls();
    const bool on = c["Crossref"].checked();
    for (const char* name : {"LCR1", "LCR2", "LCR4", "SLPP", "LinkLPP"})
        c[name].setEnabled(on);
}

void LinkerOptions::SLPPClick()
{
    ControlSet& c = m_app.controls();
    c["LinkLPP"].setEnabled(c["SLPP"].checked());
}

void LinkerOptions::UselnkcmdClick()
{
    ControlSet& c = m_app.controls();
    c["LinkerCmdfile"].setEnabled(c["Uselnkcmd"].checked());
}

void LinkerOptions::UseFormatsClick()
{
    ControlSet& c = m_app.controls();
    const bool on = c["UseFormats"].checked();
    c["RFMsg"].setVisible(on);
    c["PRBox"].setVisible(on);
}

void LinkerOptions::MemBoxClick()
{
    m_app.UpdateStatusBar(1);
}

void LinkerOptions::PrintBoxClick()
{
    m_app.UpdateStatusBar(1);
}

void LinkerOptions::disablePrintFormats()
{
    m_app.controls()["UseFormats"].setChecked(false);
    ApplyPrintFormat();
    m_app.UpdateStatusBar(1);
}
