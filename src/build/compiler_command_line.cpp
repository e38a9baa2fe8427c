#include "build/compiler_command_line.h"

#include "app/control_set.h"
#include "platform/paths/win_path.h"

struct CompilerCommandLine::Refs {
    explicit Refs(ControlSet& c)
        : D64(c["D64"]), ASSMB(c["ASSMB"]), AssemblerFile(c["AssemblerFile"]), MOL(c["MOL"]), ENC(c["ENC"]),
          SC(c["SC"]), PutAll(c["PutAll"]), EE(c["EE"]), COMM(c["COMM"]), commandfile(c["commandfile"]),
          Strict(c["Strict"]), Syntax(c["Syntax"]), ANSI(c["ANSI"]), DOMH(c["DOMH"]), ModuleFile(c["ModuleFile"]),
          GLF(c["GLF"]), SourceNames(c["SourceNames"]), ListFile(c["ListFile"]), FF(c["FF"]),
          ListIncludes(c["ListIncludes"]), Active(c["Active"]), Tabs(c["Tabs"]), GCR(c["GCR"]), GCR1(c["GCR1"]),
          GCR2(c["GCR2"]), GCR3(c["GCR3"]), GCR4(c["GCR4"]), LPP(c["LPP"]), Lines(c["Lines"]), IM(c["IM"]),
          MemoryModel(c["MemoryModel"]), NameObj(c["NameObj"]), ObjectFile(c["ObjectFile"]), prom(c["prom"]),
          SSN(c["SSN"]), Segname(c["Segname"]), DBug(c["DBug"]), specify(c["specify"]), DeBugg(c["DeBugg"]),
          INCI(c["INCI"]), INCLN(c["INCLN"]), Silent(c["Silent"]), Optomisation(c["Optomisation"]),
          ProcType(c["ProcType"]), DW(c["DW"]), SIV(c["SIV"]), ProjectListBox(c["ProjectListBox"])
    {
    }
    Control &D64, &ASSMB, &AssemblerFile, &MOL, &ENC, &SC, &PutAll, &EE, &COMM, &commandfile, &Strict, &Syntax,
        &ANSI, &DOMH, &ModuleFile, &GLF, &SourceNames, &ListFile, &FF, &ListIncludes, &Active, &Tabs, &GCR, &GCR1,
        &GCR2, &GCR3, &GCR4, &LPP, &Lines, &IM, &MemoryModel, &NameObj, &ObjectFile, &prom, &SSN, &Segname, &DBug,
        &specify, &DeBugg, &INCI, &INCLN, &Silent, &Optomisation, &ProcType, &DW, &SIV, &ProjectListBox;
};

namespace {

// " -X" + text when the text names a folder, " -x " + text otherwise.
void appendFileSwitch(std::string& out, char letter, const std::string& text)
{
    const bool joined = winpath::hasDirectoryPart(text);
    out += " -";
    out += joined ? static_cast<char>(letter - 'a' + 'A') : letter;
    if (!joined)
        out += ' ';
    out += text;
}

}  // namespace

CompilerCommandLine::CompilerCommandLine(ControlSet& controls, Environment env)
    : m_controls(controls), m_env(std::move(env))
{
}

CompilerCommandLine::~CompilerCommandLine() = default;

// The source list is declared after these pages, so the names are resolved on first use.
void CompilerCommandLine::bind()
{
    if (!m_refs)
        m_refs = std::make_unique<Refs>(m_controls);
}

std::string CompilerCommandLine::CompilerParams(const std::string& sourceName)
{
    bind();
    Refs& r = *m_refs;
    const std::string base = winpath::withoutExtension(winpath::trim(sourceName));
    std::string out;
    out.reserve(96);

    if (r.D64.checked())
        out += " -2";
    if (r.ASSMB.checked()) {
        if (winpath::trim(r.AssemblerFile.text()).empty()) {
            m_env.message("You have Specified building an Assembler File\r"
                          "But have not entered a file name. Default set");
            r.AssemblerFile.setText(compilerOutputName(m_env.compileDir(), r.ProjectListBox.entries(), ".s25"));
        }
        appendFileSwitch(out, 'a', r.AssemblerFile.text());
    }
    if (r.MOL.checked())
        out += " -b";
    if (r.ENC.checked())
        out += " -C";
    if (r.SC.checked())
        out += " -c";
    if (r.PutAll.checked())
        out += " -d";
    if (r.EE.checked())
        out += " -e";
    if (r.COMM.checked())
        out += " -f " + r.commandfile.text();
    if (r.Strict.checked()) {
        r.Syntax.setEnabled(true);
        r.ANSI.setEnabled(true);
        out += " -g";
        if (r.Syntax.checked())
            out += 'O';
        if (r.ANSI.checked())
            out += 'A';
    }
    if (r.DOMH.checked())
        out += " -H " + r.ModuleFile.text();
    if (r.GLF.checked())
        appendListGroup(out, base);
    if (r.MemoryModel.itemIndex() == 1)
        out += " -mb";
    if (r.NameObj.checked())
        appendFileSwitch(out, 'o', r.ObjectFile.text());
    if (r.prom.checked())
        out += " -P";
    if (r.SSN.checked())
        out += " -R" + r.Segname.text();
    if (r.DBug.checked()) {
        out += " -r";
        if (r.specify.checked())
            out += r.DeBugg.text();
        if (r.INCI.checked())
            out += 'i';
        if (r.INCLN.checked())
            out += 'n';
    }
    if (r.Silent.checked())
        out += " -S";
    if (r.Optomisation.itemIndex() == 1)
        out += " -s";
    else if (r.Optomisation.itemIndex() == 2)
        out += " -z";
    out += " -v" + std::to_string(r.ProcType.itemIndex());
    if (r.DW.checked())
        out += " -w";
    if (r.SIV.checked())
        out += " -y";
    return out;
}

void CompilerCommandLine::appendListGroup(std::string& out, const std::string& base)
{
    Refs& r = *m_refs;
    if (r.SourceNames.checked()) {
        appendFileSwitch(out, 'l', base);
    } else if (winpath::trim(r.ListFile.text()).empty()) {
        m_env.message("No List file specified, Option Cleared");
        r.GLF.setChecked(false);
    } else {
        appendFileSwitch(out, 'l', r.ListFile.text() + std::to_string(m_listFileCounter));
    }
    ++m_listFileCounter;

    if (r.FF.checked())
        out += " -F";
    if (r.ListIncludes.checked())
        out += " -i";
    if (r.Active.checked())
        out += " -T";
    if (r.Tabs.value() != 0)
        out += " -t" + std::to_string(r.Tabs.value());
    if (r.GCR.checked() && r.GLF.checked()) {
        out += " -x";
        if (r.GCR1.checked())
            out += 'D';
        if (r.GCR2.checked())
            out += 'F';
        if (r.GCR3.checked())
            out += 'T';
        if (r.GCR4.checked())
            out += '2';
    }
    if (r.LPP.checked())
        out += " -p" + std::to_string(r.Lines.value());
    if (r.IM.checked())
        out += " -q";
}

std::string compilerOutputName(const std::string& compileDir, const std::vector<std::string>& sources,
                               const std::string& extension)
{
    const std::string stem = sources.empty() ? "Default" : winpath::dropLast(winpath::fileName(sources.front()), 2);
    return winpath::withBackslash(compileDir) + stem + extension;
}
