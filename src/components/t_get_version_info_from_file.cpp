#include "components/t_get_version_info_from_file.h"

#include "components/version_resource.h"
#include "platform/host/files.h"

void TGetVersionInfoFromFile::setFileName(const std::string& name)
{
    m_fileName = name;
    VersionStrings.clear();
    VersionCategories.clear();
    if (!m_files->fileExists(name)) {
        m_fileName.clear();
        return;
    }
    const auto resource = m_resources->read(name);
    if (!resource || resource->translations.empty())
        return;
    const auto [language, codePage] = resource->translations.front();
    const std::string block = "\\StringFileInfo\\" + versionBlock(language, codePage) + "\\";
    for (const char* key : VersionKeys) {
        const auto value = resource->query(block + key);
        if (!value)
            break;
        if (value->empty())
            continue;
        VersionCategories.push_back(key);
        VersionStrings.push_back(*value);
    }
}
