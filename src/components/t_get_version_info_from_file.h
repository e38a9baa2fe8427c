#pragma once
// Reads a file's version strings when its name is set: values and key names as two
// parallel lists, in the fixed key order, stopping at the first key the file lacks.
#include <string>
#include <vector>

class Files;
class VersionResources;

class TGetVersionInfoFromFile {
public:
    TGetVersionInfoFromFile(const Files& files, const VersionResources& resources)
        : m_files(&files), m_resources(&resources)
    {
    }

    const std::string& fileName() const { return m_fileName; }
    void setFileName(const std::string& name);

    std::vector<std::string> VersionStrings;
    std::vector<std::string> VersionCategories;

private:
    const Files* m_files;
    const VersionResources* m_resources;
    std::string m_fileName;
};
