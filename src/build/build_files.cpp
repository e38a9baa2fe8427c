#include "build/build_files.h"

#include "app/tembedded.h"
#include "platform/paths/win_path.h"

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
}

bool BuildFiles::WritePathset(const std::string& workingDir)
{
    Settings& s = m_app.settings();
    s.necDir = winpath::withBackslash(s.necDir);
    const std::string& n = s.necDir;
    m_pathset[2] = "SET PATH=" + n + "ASM\\A78300;" + n + "ASM\\XL;" + n + "C\\ICC78300;" + workingDir +
                   "PELORUS;%PATH%";
    m_pathset[3] = "SET PATH=" + n + "C\\INCLUDE;" + n + "C\\LIB;" + n + "C\\DEMO;%PATH%";
    m_pathset[4] = "SET PATH=" + s.compSource + ";%PATH%";
    const std::string path = winpath::join(workingDir, "pathset.bat");
    if (m_app.host().files.writeLines(path, m_pathset))
        return true;
    m_app.message("Cannot create file " + path, MsgButtons::Ok, MsgIcon::Error);
    return false;
}

// Placeholder until ide.bat generation lands.
bool BuildFiles::GenerateBuildFiles(bool) { return false; }
void BuildFiles::MakeIdeBatClick(const Sender&) {}
