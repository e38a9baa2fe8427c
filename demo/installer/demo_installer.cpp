#include "demo_installer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "demo_projects.h"
#include "platform/host/settings_store.h"
#include "platform/paths/win_path.h"

namespace fs = std::filesystem;

namespace
{

struct Tool {
    const char* name;
    const char* folder; // under the NEC directory
};
const Tool kTools[] = {
    {"A78300", "ASM\\A78300"},
    {"xlink", "ASM\\XL"},
    {"icc78300", "C\\ICC78300"},
};

struct DemoFolder {
    const char* from;      // under the demo data
    const char* extension; // "" for every file
    const char* to;        // Windows folder
};
const DemoFolder kNecFolders[] = {
    {"nec/C/INCLUDE", ".h", "C:\\Nec\\C\\INCLUDE"},
    {"nec/C/LIB", ".r25", "C:\\Nec\\C\\LIB"},
};
// Start-up expects the default command files in the compile directory and never copies them.
const DemoFolder kWorkFolders[] = {
    {"nec/C/LIB", ".xcl", "C:\\Tarnel\\Source"},
    {"sample", "", "C:\\Tarnel\\Sample"},
    {"faulty", "", "C:\\Tarnel\\Faulty"},
};

struct DemoProject {
    const char* path;
    std::vector<std::string> sources;
};
const DemoProject kProjects[] = {
    {DemoInstaller::SampleProject,
     {"C:\\Tarnel\\Sample\\main.c", "C:\\Tarnel\\Sample\\util.c", "C:\\Tarnel\\Sample\\util.h"}},
    {DemoInstaller::FaultyProject, {"C:\\Tarnel\\Faulty\\main.c"}},
};

// First-run settings: the demo's folders, the sample project, the linker target as the
// build's outcome, a build window that stays hidden (no terminal needed), and the stand-in
// programmer as the one programming tool, selected.
const std::pair<const char*, const char*> kSettings[] = {
    {"Directory", DemoInstaller::WorkDir},
    {"Comp Source", DemoInstaller::CompileDir},
    {"Nec Dir", DemoInstaller::NecDir},
    {"Project", DemoInstaller::SampleProject},
    {"Target", "1"},
    {"Progress", "0"},
    {"PTCount", "1"},
    {"PTools0", DemoInstaller::ProgrammerName},
    {"PTNames0", DemoInstaller::ProgrammerPath},
    {"Programming Tool", DemoInstaller::ProgrammerPath},
};

const char* const kProgrammer = "prog78k";
// Without a file named on its command line the programmer loads the one named here.
const char* const kProgrammerIni = "; prog78k loads this file when Tarnel starts it without one\r\n"
                                   "Load=C:\\Tarnel\\Source\\aout.a25\r\n";

const char* const kMarkerText =
    "This NEC folder was set up by tarnel-demo-install with Tarnel's stand-in toolchain.\r\n"
    "Its icc78300, xlink and A78300 are replaced by the current build on every run of the\r\n"
    "installer. Without this file the installer leaves the folder alone.\r\n";

bool sameContent(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec)
        return false;
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

// Through a temporary file and a rename, so that a running tool can be replaced and an
// interrupted copy never leaves half a file under the real name.
bool copyReplacing(const fs::path& from, const fs::path& to)
{
    const fs::path temp = to.string() + ".tarnel-new";
    std::error_code ec;
    fs::copy_file(from, temp, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::permissions(temp, fs::status(from).permissions(), ec);
    if (!ec)
        fs::rename(temp, to, ec);
    if (ec)
        fs::remove(temp, ec);
    return !ec;
}

std::vector<std::string> namesIn(const fs::path& folder, const std::string& extension)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() &&
            (extension.empty() || winpath::equalsNoCase(winpath::extension(name), extension)))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

DemoInstaller::DemoInstaller(DriveMap map, SettingsStore& settings, DemoSources from)
    : m_map(std::move(map)), m_settings(settings), m_from(std::move(from))
{
}

bool DemoInstaller::run()
{
    m_report.clear();
    if (checkSources()) {
        installNec();
        installWorkArea();
        installProgrammer();
        if (m_ok)
            installProjects();
        installSettings();
    }
    summarise();
    return m_ok;
}

void DemoInstaller::fail(const std::string& text)
{
    m_ok = false;
    m_notes.push_back("Failed: " + text);
}

bool DemoInstaller::checkSources()
{
    std::vector<std::string> programs{kProgrammer};
    for (const Tool& t : kTools)
        programs.push_back(t.name);
    for (const std::string& name : programs)
        if (!fs::is_regular_file(fs::path(m_from.binDir) / name)) {
            fail("the stand-in tool " + name + " is not in " + m_from.binDir + "; build it first");
            return false;
        }
    if (!fs::is_directory(fs::path(m_from.demoDir) / "nec")) {
        fail("no demo data in " + m_from.demoDir);
        return false;
    }
    if (!m_map.toHost("C:\\")) {
        fail("drive C: has no folder in " + m_map.prefix() + "/dosdevices");
        return false;
    }
    return true;
}

bool DemoInstaller::makeFolder(const std::string& winDir)
{
    const auto host = m_map.toHost(winDir);
    std::error_code ec;
    if (host && (fs::is_directory(*host) || fs::create_directories(*host, ec)))
        return true;
    fail("cannot create the folder " + winDir);
    return false;
}

DemoInstaller::Placed DemoInstaller::place(const std::string& hostSource, const std::string& winDir,
                                           const std::string& name, bool refresh)
{
    const std::string target = winpath::join(winDir, name);
    const auto host = m_map.toHost(target);
    if (!host) {
        fail("cannot create " + target);
        return Placed::Failed;
    }
    const bool existed = fs::exists(*host);
    if (existed && (!refresh || sameContent(hostSource, *host)))
        return Placed::Kept;
    if (!copyReplacing(hostSource, *host)) {
        fail("cannot create " + target);
        return Placed::Failed;
    }
    (existed ? m_refreshed : m_added).push_back(target);
    return existed ? Placed::Refreshed : Placed::Added;
}

void DemoInstaller::copyFolder(const std::string& demoSub, const std::string& extension,
                               const std::string& winDir)
{
    if (!makeFolder(winDir))
        return;
    const fs::path from = fs::path(m_from.demoDir) / demoSub;
    for (const std::string& name : namesIn(from, extension))
        place((from / name).string(), winDir, name, false);
}

void DemoInstaller::installNec()
{
    const auto nec = m_map.toHost(NecDir);
    const auto marker = m_map.toHost(Marker);
    const bool fresh = nec && !fs::exists(*nec);
    if (!fresh && !(marker && fs::exists(*marker))) {
        m_notes.push_back(std::string(NecDir) +
                          " holds a toolchain that the demo did not install: left as it is");
        return;
    }
    if (!makeFolder(NecDir))
        return;
    // The marker comes first, so that a run cut short still knows the folder is ours.
    if (fresh) {
        std::ofstream out(*marker, std::ios::binary);
        out << kMarkerText;
        if (!out.flush())
            fail("cannot create " + std::string(Marker));
        else
            m_added.push_back(Marker);
    }
    for (const Tool& t : kTools) {
        const std::string folder = winpath::join(NecDir, t.folder);
        if (makeFolder(folder))
            place((fs::path(m_from.binDir) / t.name).string(), folder, t.name, true);
    }
    for (const DemoFolder& f : kNecFolders)
        copyFolder(f.from, f.extension, f.to);
}

void DemoInstaller::installWorkArea()
{
    makeFolder(WorkDir);
    for (const DemoFolder& f : kWorkFolders)
        copyFolder(f.from, f.extension, f.to);
}

void DemoInstaller::installProgrammer()
{
    if (!makeFolder(ProgrammerDir))
        return;
    place((fs::path(m_from.binDir) / kProgrammer).string(), ProgrammerDir, kProgrammer, false);
    const std::string ini = winpath::join(ProgrammerDir, std::string(kProgrammer) + ".ini");
    const auto host = m_map.toHost(ini);
    if (host && fs::exists(*host))
        return;
    std::ofstream out(host.value_or(""), std::ios::binary);
    out << kProgrammerIni;
    if (!host || !out.flush())
        fail("cannot create " + ini);
    else
        m_added.push_back(ini);
}

void DemoInstaller::installProjects()
{
    for (const DemoProject& p : kProjects) {
        const auto host = m_map.toHost(p.path);
        if (host && fs::exists(*host))
            continue;
        if (const auto problem = demoprojects::write(m_map, p.path, p.sources))
            fail(p.path + std::string(": ") + *problem);
        else
            m_added.push_back(p.path);
    }
}

void DemoInstaller::installSettings()
{
    if (m_settings.read("Directory")) {
        const std::string current = m_settings.read("Project").value_or("");
        if (!winpath::equalsNoCase(current, SampleProject))
            m_notes.push_back("Your Tarnel settings were left as they are; open " +
                              std::string(SampleProject) + " (Options > Setup > Project file, then start Tarnel again) to try the demo");
        return;
    }
    for (const auto& [name, value] : kSettings)
        m_settings.write(name, value);
    if (!m_settings.flush()) {
        fail("cannot write the Tarnel settings");
        return;
    }
    m_settingsWritten = true;
}

void DemoInstaller::summarise()
{
    m_report.push_back("Wine prefix: " + m_map.prefix());
    // Added files by folder, in the order they were added.
    std::vector<std::pair<std::string, std::string>> byFolder;
    for (const std::string& path : m_added) {
        const std::string dir = winpath::dirOnly(path);
        auto it =
            std::find_if(byFolder.begin(), byFolder.end(), [&](const auto& e) { return e.first == dir; });
        if (it == byFolder.end())
            byFolder.emplace_back(dir, winpath::fileName(path));
        else
            it->second += " " + winpath::fileName(path);
    }
    for (const auto& [dir, names] : byFolder)
        m_report.push_back("Added to " + dir + ": " + names);
    for (const std::string& path : m_refreshed)
        m_report.push_back("Updated the stand-in tool " + path);
    if (m_settingsWritten)
        m_report.push_back(std::string("Tarnel settings: working directory ") + WorkDir +
                           ", compile directory " + CompileDir + ", project " + SampleProject +
                           ", programming tool " + ProgrammerPath);
    if (m_ok && m_added.empty() && !m_settingsWritten)
        m_report.push_back("The demo is already installed; nothing of yours was changed.");
    m_report.insert(m_report.end(), m_notes.begin(), m_notes.end());
}
