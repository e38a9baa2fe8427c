#pragma once
// The project file: the project line list composed from the controls, and read back into them.
#include <string>

class TEmbedded;

class ProjectFile {
public:
    explicit ProjectFile(TEmbedded& app);

    // Controls and the three file lists -> the project line list.
    void ComposeProject();
    // Lines 0 to 83 -> controls; hands back the three counts; false when a line fails.
    bool ReadOptions(int& sources, int& objects, int& libraries);
    // The project line list (already filled) -> controls and lists; true when taken over.
    bool readproject(const std::string& path);
    // Reads the file into the project line list and runs readproject.
    bool load(const std::string& path);
    // Writes the project line list to the path, replacing the file.
    bool write(const std::string& path);
    // Deletes the compile directory's copies of the sources and its ide.bat.
    void ClearCompileCopies();

private:
    TEmbedded& m_app;
};
