#pragma once
// A main window on fake platform services, set up as a build expects it: a loaded project,
// compiler and linker defaults, the default directories and the project's sources on disk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tembedded.h"
#include "build/build_files.h"
#include "build/build_run.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"

namespace buildtest {

// Parameter texts of the compiler and linker defaults.
inline const std::string kCompilerDefaults = " -C -e -g -v2";
inline const std::string kLinkerDefaults = " cstartup.r25 watchdog.r25  -c78300 -FMOTOROLA -f LK7832SL  -C  CL7832S";
inline const std::string kCompileDir = "C:\\Tarnel\\Source";
inline const std::string kIdeBat = "C:\\Tarnel\\Source\\ide.bat";

inline std::string crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

class BuildFixture : public ::testing::Test {
protected:
    BuildFixture()
    {
        Settings& s = app.settings();
        s.project = "D:\\work\\demo.prj";
        s.directory = "C:\\";
        s.compSource = kCompileDir;
        s.necDir = "C:\\Nec";
        app.outputCaptureFile = "C:\\Outputfile.txt";
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
        c["LinkerCmdfile"].setText("LK7832SL");
        c["SendToFile"].setChecked(false);
        fh.files.putFolder(kCompileDir);
        fh.files.putFolder("D:\\work");
    }

    // Puts each entry on disk and makes it the project's file list.
    void project(const std::vector<std::string>& entries)
    {
        for (const auto& e : entries)
            fh.files.put(e, "/* " + e + " */\n");
        c["ProjectListBox"].setEntries(entries);
    }

    std::string ideBat() { return fh.files.readBytes(kIdeBat).value_or("<none>"); }
    std::vector<std::string> messages() const { return fh.dialogs.messages(); }
    std::string panel5() { return app.statusBar().panel(5).text; }

    FakeHost fh;
    TEmbedded app{fh.host};
    ControlSet& c = app.controls();
};

}  // namespace buildtest
