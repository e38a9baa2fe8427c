#include "build/build_files.h"

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "build/batch_name_check.h"
#include "build/compiler_command_line.h"
#include "build/compiler_options.h"
#include "editor/editor_windows.h"
#include "build/copy_name_check.h"
#include "linker/linker_options.h"
#include "platform/paths/win_path.h"
#include "project/compile_copies.h"
#include "project/project_file.h"

bool isCSourceEntry(const std::string& entry)
{
    return entry.find(".c") != std::string::npos || entry.find(".C") != std::string::npos;
}

bool senderLinks(const Sender& sender)
{
    return (sender.kind == SenderKind::MenuItem || sender.kind == SenderKind::ToolButton) && sender.tag == 1;
}

BuildFiles::BuildFiles(TEmbedded& app) : m_app(app)
{
    m_pathset = {"REM setup path for compilers",
                 "ECHO",
                 "",
                 "",
                 "",
                 "",
                 "ECHO.",
                 "ECHO Tarnel - building the project with the NEC 78K/III C toolchain",
                 "ECHO.",
                 "CD source",
                 "PATH",
                 "CALL ide"};
    ControlSet& c = app.controls();
    for (const char* name : {"Update1", "MakeBtn"})
        c[name].onActivate([this](const Sender& s) { MakeIdeBatClick(s); });
}

bool BuildFiles::WritePathset(const std::string& workingDir)
{
    Settings& s = m_app.settings();
    for (const std::string& dir : {s.necDir, workingDir, s.compSource}) {
        if (!batchcheck::safeDirectory(dir)) {
            m_app.message(batchcheck::directoryMessage(dir), MsgButtons::Ok, MsgIcon::Error);
            return false;
        }
    }
    s.necDir = winpath::withBackslash(s.necDir);
    const std::string& n = s.necDir;
    m_pathset[2] = "SET PATH=" + n + "ASM\\A78300;" + n + "ASM\\XL;" + n + "C\\ICC78300;" + workingDir +
                   "PELORUS;%PATH%";
    m_pathset[3] = "SET PATH=" + n + "C\\INCLUDE;" + n + "C\\LIB;" + n + "C\\DEMO;%PATH%";
    m_pathset[4] = "SET PATH=" + s.compSource + ";%PATH%";
    const std::string path = winpath::join(workingDir, "pathset.bat");
    if (m_app.host().files.writeLines(path, m_pathset))
        return true;
    m_app.message(cannotCreateMessage(path), MsgButtons::Ok, MsgIcon::Error);
    return false;
}

bool BuildFiles::GenerateBuildFiles(bool link)
{
    m_copiesLeft = m_app.project().takeCopiesLeftForBuild();
    m_batchLeft = false;
    if (m_app.closing())
        return false;
    const std::vector<std::string> entries = m_app.controls()["ProjectListBox"].entries();
    if (entries.empty())
        clearCopiesLeft({});
    if (!prepareBuild(entries))
        return false;
    m_batch.clear();
    if (entries.empty())
        return false;

    composeBatchLines(entries, link);

    Control& objectFile = m_app.controls()["ObjectFile"];
    if (winpath::trim(objectFile.text()).empty())
        objectFile.setText(compilerOutputName(m_app.compileDir(), entries, ".r25"));
    return MakeClick();
}

bool BuildFiles::prepareBuild(const std::vector<std::string>& entries)
{
    if (m_app.closing())
        return false;
    ControlSet& c = m_app.controls();
    // Refused before anything is written, so a bad name never leaves half a build behind.
    if (!namesFitBatchLines(entries))
        return false;

    ProjectFile& project = m_app.project();
    project.ComposeProject();
    const std::string& projectPath = m_app.settings().project;
    if (!project.write(projectPath))
        m_app.message(cannotCreateMessage(projectPath), MsgButtons::Ok, MsgIcon::Error);
    m_app.editors().SaveEdtorFiles();
    if (c["CloseEds"].checked())
        m_app.editors().CloseEditorFiles();
    c["PEditPan"].setVisible(false);
    return true;
}

bool BuildFiles::namesFitBatchLines(const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        if (isCSourceEntry(entry) && !batchcheck::safeFileName(winpath::fileName(entry))) {
            clearCopiesLeft({});
            m_app.message(batchcheck::fileNameMessage(entry), MsgButtons::Ok, MsgIcon::Error);
            return false;
        }
    }
    if (const auto clash = copycheck::sameNameClash(m_app.host().files, entries)) {
        clearCopiesLeft({});
        m_app.message(copycheck::clashMessage(*clash), MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    return true;
}

BatchPlan BuildFiles::planBatch(const std::vector<std::string>& entries, bool link)
{
    ControlSet& c = m_app.controls();
    BatchPlan plan;
    std::string linkLine = LinkerProgram;
    for (const std::string& entry : entries) {
        if (!isCSourceEntry(entry))
            continue;
        const bool toFile = c["SendToFile"].checked();
        plan.compileRedirect = toFile ? "> " + m_app.outputCaptureFile : "";
        plan.linkRedirect = toFile ? ">> " + m_app.outputCaptureFile : "";
        const std::string name = winpath::fileName(entry);
        plan.compiles.push_back({entry, CompilerProgram + name + m_app.compiler().CompilerParams(name)});
        linkLine += winpath::dropLast(name, 2) + ".R25 ";
    }
    plan.pause = c["Pause"].checked();
    if (link)
        plan.link = linkLine + m_app.linker().ComposeLinkerLine();
    return plan;
}

std::vector<std::string> BatchPlan::lines(const std::vector<bool>* chosen, bool withLink) const
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < compiles.size(); ++i)
        if (!chosen || (*chosen)[i])
            out.push_back(compiles[i].line + compileRedirect);
    if (pause)
        out.push_back("pause");
    if (withLink && !link.empty())
        out.push_back(link + linkRedirect);
    return out;
}

void BuildFiles::composeBatchLines(const std::vector<std::string>& entries, bool link)
{
    m_plan = planBatch(entries, link);
    m_batch = m_plan.lines();
}

bool BuildFiles::MakeClick()
{
    const std::vector<std::string> entries = m_app.controls()["ProjectListBox"].entries();
    if (!copyProjectFiles(entries))
        return false;
    clearCopiesLeft(entries, true);
    const std::string path = winpath::join(m_app.compileDir(), "ide.bat");
    if (!m_app.host().files.writeLines(path, m_batch)) {
        clearCopiesLeft({});
        m_app.message(cannotCreateMessage(path), MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    m_batchLeft = false;
    m_app.controls()["EditBatch"].setEnabled(true);
    return true;
}

bool BuildFiles::copyProjectFiles(const std::vector<std::string>& entries)
{
    Files& files = m_app.host().files;
    const std::string dir = m_app.compileDir();
    // A folder that cannot be created shows up as the first copy's failure.
    if (!files.folderExists(dir))
        files.createFolders(dir);
    for (const std::string& entry : entries) {
        // A shutdown begun meanwhile has saved what there was: nothing more is written.
        if (m_app.closing())
            return false;
        // A bare name is a file of the compile directory itself; any other path that reaches
        // one of its files the copy recognises by the file's identity and leaves alone.
        if (winpath::dirPart(entry).empty())
            continue;
        const CopyResult result = files.copyIntoFolder(entry, dir);
        if (result != CopyResult::Ok) {
            clearCopiesLeft({entries.begin(), entries.begin() + (&entry - entries.data())});
            m_app.message(copyFailureMessage(result, entry, dir), MsgButtons::Ok, MsgIcon::Error);
            return false;
        }
    }
    return true;
}

void BuildFiles::clearCopiesLeft(const std::vector<std::string>& made, bool keepBatch)
{
    Files& files = m_app.host().files;
    if (m_copiesLeft) {
        compilecopies::removeCopies(files, m_app.compileDir(), compilecopies::notMadeAgain(*m_copiesLeft, made));
        m_copiesLeft.reset();
        m_batchLeft = true;
    }
    if (m_batchLeft && !keepBatch) {
        m_batchLeft = false;
        compilecopies::removeBatch(files, m_app.compileDir());
    }
}

void BuildFiles::MakeIdeBatClick(const Sender& sender)
{
    if (!m_app.projectLoaded())
        return;
    GenerateBuildFiles(senderLinks(sender));
}
