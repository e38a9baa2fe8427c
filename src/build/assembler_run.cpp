#include "build/assembler_run.h"

#include "app/tembedded.h"
#include "build/tool_runs.h"
#include "platform/paths/win_path.h"

namespace
{

const char* const PickerTitle = "Pick Assembler File";
const char* const PickerFilter = "Assembler Source files [*.s25, *.msa]|*.s25;*.msa|"
                                 "IAR assembler format [*.msa]|*.msa|"
                                 "Tarnel Default [*.s25]|*.s25|"
                                 "All Files [*.*]|*.*";

} // namespace

AssemblerRun::AssemblerRun(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    for (const char* pick : {"AsmFile1", "AsmBrowse"})
        c[pick].onActivate([this](const Sender&) { PickAsmFile(); });
    c["Assemble1"].onActivate([this](const Sender&) { AssembleClick(); });
}

void AssemblerRun::PickAsmFile()
{
    FileDialogRequest r;
    r.title = PickerTitle;
    r.filters = parseFilterList(PickerFilter);
    r.defaultExtension = "*.s25";
    r.initialFolder = m_app.compileDir();
    const auto chosen = m_app.host().dialogs.openFile(r);
    if (!chosen)
        return;
    ControlSet& c = m_app.controls();
    c["Assemble1"].setCaption("Assemble ", *chosen);
    c["AssemblerFile"].setText(*chosen);
}

std::string AssemblerRun::listName(const std::string& assemblerFile, bool listing)
{
    if (!listing)
        return {};
    const std::string stem = winpath::dropLast(assemblerFile, 4);
    if (!winpath::hasDirectoryPart(assemblerFile))
        return stem;
    const auto cut = stem.find_last_of("\\:");
    return cut == std::string::npos ? stem : stem.substr(cut + 1);
}

std::string AssemblerRun::assemblerProgram() const
{
    return winpath::withBackslash(m_app.settings().necDir) + "asm\\A78300\\A78300.exe";
}

void AssemblerRun::AssembleClick()
{
    const ControlSet& c = m_app.controls();
    const std::string source = c["AssemblerFile"].text();
    const std::string list = listName(source, c["GLF"].checked() && c["SourceNames"].checked());
    if (!m_app.host().files.fileExists(source)) {
        m_app.message("Cant't Assemble. No source file");
        return;
    }
    m_app.toolRuns().starting(RunKind::Assembler, "Assembler", assemblerProgram() + " " + source + " " + list,
                              m_app.compileDir());
    m_app.host().shell.open(assemblerProgram(), source + " " + list, m_app.compileDir(), true);
}
