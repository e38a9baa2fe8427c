#pragma once
// Tarnel on the demo installed into a prefix, with batch files that really run through
// tarnel-batch and the stand-in tools when the rig says so, and a generated project for the
// randomized "Build Changed" trials: 30 sources and 10 headers with nested includes, each trial
// a random edit (content, a touched time, an option), then "Build Changed", compared with a
// clean "Build All" of the same state. Header only: the tests and the benchmark share it.
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/tembedded.h"
#include "build/build_changed.h"
#include "build/build_output.h"
#include "build/build_run.h"
#include "build/compiler_options.h"
#include "demo_installer.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/paths/win_path.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"
#include "project/project_file.h"

namespace changedrig {

namespace fs = std::filesystem;

// Starts nothing at once: the batch files started are run to their end by runPending().
class RunShell : public Shell {
public:
    explicit RunShell(const DriveMap& map) : m_map(map) {}
    void open(const std::string& file, const std::string&, const std::string& folder, bool) override
    {
        started.push_back(file);
        m_pending.emplace_back(file, folder);
    }
    std::string runPending()
    {
        std::string out;
        for (const auto& [file, folder] : m_pending) {
            QProcess batch;
            batch.setProcessChannelMode(QProcess::MergedChannels);
            batch.setWorkingDirectory(QString::fromStdString(m_map.toHost(folder).value_or("/")));
            batch.start(QString(TARNEL_BIN_DIR) + "/tarnel-batch",
                        {QString::fromStdString(m_map.toHost(file).value_or(file))});
            batch.waitForFinished(120000);
            out += batch.readAll().toStdString();
        }
        m_pending.clear();
        return out;
    }
    std::vector<std::string> started;

private:
    const DriveMap& m_map;
    std::vector<std::pair<std::string, std::string>> m_pending;
};

inline std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

inline int count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

class Rig {
public:
    static constexpr const char* Target = "C:\\Tarnel\\Source\\aout.a25";

    // prefix: an empty folder that WINEPREFIX names.
    explicit Rig(const std::string& prefix) : map(prefix)
    {
        map.ensurePrefix();
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        installed = installer.run();
    }

    void start()
    {
        app.FormActivate();
        timers.fire(1000);
    }

    std::string host(const std::string& windowsPath) const { return map.toHost(windowsPath).value_or(""); }
    fs::path compileDir() const { return host(DemoInstaller::CompileDir); }

    // A command, the batch it started run to its end, then the end check.
    std::string run(const char* command)
    {
        const std::size_t before = shell.started.size();
        app.controls()[command].activate();
        if (shell.started.size() == before)
            return {};
        const std::string out = shell.runPending();
        // No follower here: the panel hears of the end from the rig.
        app.buildOutput().receive({{TranscriptRecord::Kind::Ended, "", 0, 0}});
        timers.fire(BuildRun::CompileTimerMs);
        return out;
    }

    // Waits until a file written now gets a later time than every file of the compile directory,
    // so that an edit is never stamped with the time of the build before it (file times are
    // coarser than the clock).
    bool settle()
    {
        fs::file_time_type newest = fs::file_time_type::min();
        for (const auto& e : fs::directory_iterator(compileDir()))
            newest = std::max(newest, e.last_write_time());
        const fs::path probe = fs::path(map.prefix()) / "settle.probe";
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < until) {
            writeFile(probe, "x");
            if (fs::last_write_time(probe) > newest)
                return true;
            std::this_thread::yield();
        }
        return false;
    }

    // The objects and the target, by lower-case name.
    std::map<std::string, std::string> results() const
    {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::directory_iterator(compileDir())) {
            const std::string name = winpath::lower(e.path().filename().string());
            if (name.ends_with(".r25") && !isLibrary(name))
                out[name] = readFile(e.path());
            else if (name == "aout.a25")
                out[name] = readFile(e.path());
        }
        return out;
    }

    // The compile directory as it is, to be put back after a comparison build.
    struct Saved {
        std::string bytes;
        fs::file_time_type time;
    };
    std::map<fs::path, Saved> save() const
    {
        std::map<fs::path, Saved> out;
        for (const auto& e : fs::directory_iterator(compileDir()))
            if (e.is_regular_file())
                out[e.path()] = {readFile(e.path()), e.last_write_time()};
        return out;
    }
    void restore(const std::map<fs::path, Saved>& saved) const
    {
        for (const auto& e : fs::directory_iterator(compileDir()))
            if (e.is_regular_file() && !saved.count(e.path()))
                fs::remove(e.path());
        for (const auto& [path, s] : saved) {
            writeFile(path, s.bytes);
            fs::last_write_time(path, s.time);
        }
    }

    // What a clean "Build All" makes of the present state; the compile directory is left as it was.
    std::map<std::string, std::string> cleanBuildAll()
    {
        const auto saved = save();
        for (const auto& [name, bytes] : results())
            fs::remove(compileDir() / name);
        for (const auto& e : fs::directory_iterator(compileDir())) {
            const std::string name = winpath::lower(e.path().filename().string());
            if ((name.ends_with(".r25") && !isLibrary(name)) || name == "aout.a25")
                fs::remove(e.path());
        }
        run("BuildAll1");
        auto made = results();
        restore(saved);
        return made;
    }

    DriveMap map;
    FakeSettingsStore settings;
    bool installed = false;
    FakeDialogs dialogs;
    RunShell shell{map};
    FakeBeeper beeper;
    QtClock clock;
    FakeTimers timers;
    QtFiles files{map};
    Host hostBundle{dialogs, shell, beeper, clock, timers, settings, files, "C:\\Program Files\\Tarnel\\"};
    TEmbedded app{hostBundle};

private:
    static bool isLibrary(const std::string& name)
    {
        return name.starts_with("cl78") || name == "cstartup.r25" || name == "watchdog.r25";
    }
};

// The generated project under C:\Gen: sources s00.c..s29.c and headers h0.h..h9.h. A header
// includes the next one unless its number is 2 mod 3 (chains of three), and declares gK either
// as a function (the object then needs it from outside) or as a macro, by its variant. s00.c
// defines every gK and main; each other source includes two headers and calls their gK.
class Generated {
public:
    static constexpr int Sources = 30;
    static constexpr int Headers = 10;
    static constexpr const char* Folder = "C:\\Gen";
    static constexpr const char* Project = "C:\\Gen\\gen.prj";

    explicit Generated(Rig& rig, unsigned seed) : m_rig(rig), m_random(seed)
    {
        m_sourceVersion.assign(Sources, 0);
        m_headerMacro.assign(Headers, false);
        fs::create_directories(m_rig.host(Folder));
        for (int i = 0; i < Sources; ++i)
            writeSource(i);
        for (int k = 0; k < Headers; ++k)
            writeHeader(k);
    }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Sources; ++i)
            out.push_back(winPath(sourceName(i)));
        for (int k = 0; k < Headers; ++k)
            out.push_back(winPath(headerName(k)));
        return out;
    }

    // The project file written with the defaults and made the project the next start loads.
    void writeProject()
    {
        TEmbedded& app = m_rig.app;
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
        app.controls()["ProjectListBox"].setEntries(entries());
        app.project().ComposeProject();
        app.project().write(Project);
        m_rig.settings.values["project"] = Project;
    }

    // One random change; what it was, for a failure's message.
    std::string change()
    {
        const int kind = pick(0, 9);
        if (kind == 0)
            return toggleOption();
        std::string what;
        const int edits = pick(1, 3);
        for (int e = 0; e < edits; ++e) {
            const bool header = pick(0, 2) == 0;
            const bool touchOnly = pick(0, 2) == 0;
            const int n = header ? pick(0, Headers - 1) : pick(0, Sources - 1);
            const std::string file = header ? headerName(n) : sourceName(n);
            if (touchOnly) {
                fs::last_write_time(m_rig.host(winPath(file)), fs::file_time_type::clock::now());
                what += "touched " + file + "; ";
            } else if (header) {
                m_headerMacro[n] = !m_headerMacro[n];
                writeHeader(n);
                what += "edited " + file + "; ";
            } else {
                ++m_sourceVersion[n];
                writeSource(n);
                what += "edited " + file + "; ";
            }
        }
        return what;
    }

private:
    static std::string sourceName(int i) { return (i < 10 ? "s0" : "s") + std::to_string(i) + ".c"; }
    static std::string headerName(int k) { return "h" + std::to_string(k) + ".h"; }
    static std::string winPath(const std::string& name) { return std::string(Folder) + "\\" + name; }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string toggleOption()
    {
        static const char* options[] = {"D64", "SC", "MOL"};
        const char* name = options[pick(0, 2)];
        Control& c = m_rig.app.controls()[name];
        c.setChecked(!c.checked());
        return std::string("option ") + name + (c.checked() ? " on" : " off");
    }

    void writeSource(int i)
    {
        std::ostringstream s;
        if (i == 0) {
            for (int k = 0; k < Headers; ++k)
                s << "int g" << k << "(void) { return " << k << "; }\n";
            s << "void main(void)\n{\n}\n";
        } else {
            const int a = i % Headers, b = (i * 7 + 3) % Headers;
            s << "#include \"" << headerName(a) << "\"\n#include \"" << headerName(b) << "\"\n";
            s << "int f" << i << "(void) { return g" << a << "() + g" << b << "(); }\n";
        }
        // A new version changes the object: one more variable.
        for (int v = 0; v <= m_sourceVersion[i] % 4; ++v)
            s << "int v" << i << "_" << v << ";\n";
        writeFile(m_rig.host(winPath(sourceName(i))), s.str());
    }

    void writeHeader(int k)
    {
        std::ostringstream s;
        if (k % 3 != 2 && k + 1 < Headers)
            s << "#include \"" << headerName(k + 1) << "\"\n";
        if (m_headerMacro[k])
            s << "#define g" << k << "() " << k << "\n";
        else
            s << "int g" << k << "(void);\n";
        writeFile(m_rig.host(winPath(headerName(k))), s.str());
    }

    Rig& m_rig;
    std::mt19937 m_random;
    std::vector<int> m_sourceVersion;
    std::vector<bool> m_headerMacro;
};

}  // namespace changedrig
