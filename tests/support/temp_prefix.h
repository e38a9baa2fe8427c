#pragma once
// A temporary folder used as WINEPREFIX for the length of one test.
#include <string>

class TempPrefix {
public:
    TempPrefix();
    ~TempPrefix();
    TempPrefix(const TempPrefix&) = delete;
    TempPrefix& operator=(const TempPrefix&) = delete;
    const std::string& path() const { return m_path; }
    // Host path of drive C:'s root.
    std::string driveC() const { return m_path + "/drive_c"; }

private:
    std::string m_path;
    std::string m_oldPrefix;
    bool m_hadOld = false;
};
