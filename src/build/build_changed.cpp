#include "build/build_changed.h"

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "build/build_files.h"
#include "build/build_output.h"
#include "build/build_run.h"
#include "build/compiler_command_line.h"
#include "platform/paths/win_path.h"

BuildChanged::BuildChanged(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    for (const char* name : {MenuItem, ToolButton})
        c[name].onActivate([this](const Sender&) { BuildChangedClick(); });
    app.buildRun().onFullBuild = [this] { recordFullBuild(); };
}

ChangedInputs BuildChanged::inputs(const BatchPlan& batch) const
{
    const ControlSet& c = m_app.controls();
    ChangedInputs in;
    in.entries = c["ProjectListBox"].entries();
    for (const BatchPlan::Compile& compile : batch.compiles)
        in.compiles.push_back({compile.entry, compile.line});
    in.link = batch.link;
    in.compileDir = m_app.compileDir();
    in.target = winpath::join(in.compileDir, c["LinkFile"].text());
    const std::string& nec = m_app.settings().necDir;
    in.necInclude = winpath::join(nec, "C\\INCLUDE");
    in.originals = {in.necInclude, winpath::join(nec, "C\\LIB"), winpath::join(nec, "C\\TEST")};
    // The linker finds bare names in the compile directory; a library named without an
    // extension is a .r25 file.
    for (const char* list : {"Objectfiles", "LibraryFiles"}) {
        for (const std::string& entry : c[list].entries()) {
            const std::string name = winpath::trim(entry);
            if (name.empty())
                continue;
            std::string path = winpath::dirPart(name).empty() ? winpath::join(in.compileDir, name) : name;
            if (winpath::extension(path).empty())
                path += ".r25";
            in.linkInputs.push_back(path);
        }
    }
    return in;
}

std::vector<std::string> BuildChanged::panelLines() const
{
    std::vector<std::string> lines;
    for (const auto& [source, include] : m_plan.missingIncludes)
        lines.push_back(source + ": the include \"" + include + "\" cannot be found, so " + source +
                        " counts as changed.");
    for (const ChangedPlan::Source& s : m_plan.compile)
        lines.push_back("Compiling " + winpath::fileName(s.entry) + ": " + s.reason + ".");
    if (m_plan.link)
        lines.push_back("Linking: " + m_plan.linkReason + ".");
    return lines;
}

bool BuildChanged::BuildChangedClick()
{
    if (!m_app.projectLoaded()) {
        m_app.message("Cant Compile,  No Project loaded", MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    ControlSet& c = m_app.controls();
    BuildFiles& buildFiles = m_app.buildFiles();
    const std::vector<std::string> entries = c["ProjectListBox"].entries();
    // Saving the editors says so in the status bar; a build with nothing to do puts it back.
    const std::string status = m_app.statusBar().panel(5).text;
    if (!buildFiles.prepareBuild(entries))
        return false;
    if (entries.empty()) {
        m_app.message("Can't Compile");
        return false;
    }
    const BatchPlan batch = buildFiles.planBatch(entries, true);
    Control& objectFile = c["ObjectFile"];
    if (winpath::trim(objectFile.text()).empty())
        objectFile.setText(compilerOutputName(m_app.compileDir(), entries, ".r25"));

    const ChangedInputs in = inputs(batch);
    Files& files = m_app.host().files;
    const BuildRecord before = BuildRecord::read(files, in.compileDir);
    m_plan = decideChanged(files, in, before);
    if (m_plan.nothingToDo()) {
        m_app.statusBar().setPanelText(5, status);
        m_app.buildOutput().nothingStarted(NothingToDo, panelLines());
        return false;
    }

    m_app.buildRun().disableResultViews();
    // A compile that fails must not leave an old object to pass for its result.
    for (const ChangedPlan::Source& s : m_plan.compile) {
        const std::string object = winpath::join(in.compileDir, objectName(s.entry));
        if (files.fileExists(object))
            files.removeFile(object);
    }
    if (m_plan.link) {
        const std::string listFile = winpath::join(in.compileDir, c["Linklistfile"].text());
        if (files.fileExists(listFile))
            files.removeFile(listFile);
    }
    if (!buildFiles.copyIntoCompileDir(m_plan.copies))
        return false;
    const std::string recordPath = winpath::join(in.compileDir, BuildRecord::FileName);
    if (!recordFor(files, in, m_plan.chosen, m_plan.link, before).write(files, in.compileDir)) {
        m_app.message(cannotCreateMessage(recordPath), MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    if (!writeBatches(batch))
        return false;
    m_app.buildRun().startBatch(PathBatch);
    m_app.buildOutput().addNotes(panelLines());
    return true;
}

bool BuildChanged::writeBatches(const BatchPlan& batch)
{
    Files& files = m_app.host().files;
    const std::string ide = winpath::join(m_app.compileDir(), IdeBatch);
    std::vector<std::string> path = m_app.buildFiles().pathsetTemplate();
    path.back() = "CALL " + winpath::withoutExtension(IdeBatch);
    const std::string pathBatch = winpath::join(m_app.settings().directory, PathBatch);
    for (const auto& [file, lines] : {std::pair{ide, batch.lines(&m_plan.chosen, m_plan.link)}, {pathBatch, path}}) {
        if (!files.writeLines(file, lines)) {
            m_app.message(cannotCreateMessage(file), MsgButtons::Ok, MsgIcon::Error);
            return false;
        }
    }
    return true;
}

void BuildChanged::recordFullBuild()
{
    const BatchPlan& batch = m_app.buildFiles().lastPlan();
    const ChangedInputs in = inputs(batch);
    Files& files = m_app.host().files;
    const std::vector<bool> all(in.compiles.size(), true);
    const BuildRecord record = recordFor(files, in, all, !batch.link.empty(), BuildRecord::read(files, in.compileDir));
    // Without a record the next "Build Changed" compiles everything: more than it needs, never less.
    if (!record.write(files, in.compileDir))
        files.removeFile(winpath::join(in.compileDir, BuildRecord::FileName));
}
