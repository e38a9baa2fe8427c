#include "support/temp_prefix.h"

#include <cstdlib>
#include <filesystem>

#include "platform/paths/drive_map.h"

namespace fs = std::filesystem;

TempPrefix::TempPrefix()
{
    std::string tmpl = (fs::temp_directory_path() / "tarnel-test-XXXXXX").string();
    if (char* made = mkdtemp(tmpl.data()))
        m_path = made;
    if (const char* old = std::getenv("WINEPREFIX")) {
        m_oldPrefix = old;
        m_hadOld = true;
    }
    setenv("WINEPREFIX", m_path.c_str(), 1);
    DriveMap(m_path).ensurePrefix();
}

TempPrefix::~TempPrefix()
{
    if (m_hadOld)
        setenv("WINEPREFIX", m_oldPrefix.c_str(), 1);
    else
        unsetenv("WINEPREFIX");
    std::error_code ec;
    fs::remove_all(m_path, ec);
}
