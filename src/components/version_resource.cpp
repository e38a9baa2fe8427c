#include "components/version_resource.h"

#include <iterator>

#include "components/version_strings.h"
#include "platform/paths/win_path.h"

const char* const VersionKeys[8] = {"CompanyName",    "FileDescription",  "FileVersion", "InternalName",
                                    "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

std::string versionBlock(std::uint16_t language, std::uint16_t codePage)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint16_t v : {language, codePage})
        for (int shift = 12; shift >= 0; shift -= 4)
            out += digits[(v >> shift) & 0xF];
    return out;
}

std::optional<std::string> VersionResource::query(const std::string& path) const
{
    for (const auto& [key, value] : values)
        if (winpath::equalsNoCase(key, path))
            return value;
    return std::nullopt;
}

VersionResource EmbeddedVersionResources::programResource()
{
    VersionResource r;
    r.translations.push_back({versionstrings::Language, versionstrings::CodePage});
    static_assert(std::size(versionstrings::Values) == std::size(VersionKeys));
    for (std::size_t i = 0; i < std::size(VersionKeys); ++i)
        r.values[std::string("\\StringFileInfo\\") + versionBlock(versionstrings::Language, versionstrings::CodePage) + "\\" +
                 VersionKeys[i]] =
            versionstrings::Values[i];
    return r;
}

std::optional<VersionResource> EmbeddedVersionResources::read(const std::string& file) const
{
    if (m_program.empty() || !winpath::equalsNoCase(file, m_program))
        return std::nullopt;
    return programResource();
}
