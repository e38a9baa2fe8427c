#include "project/project_lines.h"

#include "platform/paths/win_path.h"

namespace projectfile {

const std::vector<ProjectLine>& lines()
{
    using K = LineKind;
    static const std::vector<ProjectLine> table = {
        {0, "MBox", K::Index},
        {1, "PWbox", K::Index},
        {2, "ENC", K::Flag},
        {3, "DW", K::Flag},
        {4, "Strict", K::Flag},
        {5, "Syntax", K::Flag},
        {6, "ANSI", K::Flag},
        {7, "EE", K::Flag},
        {8, "SC", K::Flag},
        {9, "Silent", K::Flag},
        {10, "SIV", K::Flag},
        {11, "D64", K::Flag},
        {12, "PutAll", K::Flag},
        {13, "COMM", K::Flag},
        {14, "commandfile", K::Text},
        {15, "Optomisation", K::Index},
        {16, "SSN", K::Flag},
        {17, "MemoryModel", K::Index},
        {18, "Pause", K::Flag},
        {19, "GLF", K::Flag},
        {20, "Stats", K::Flag},
        {21, "Tabs", K::Number},
        {22, "LPP", K::Flag},
        {23, "Lines", K::Number},
        {24, "GCR", K::Flag},
        {25, "GCR1", K::Flag},
        {26, "GCR2", K::Flag},
        {27, "GCR3", K::Flag},
        {28, "GCR4", K::Flag},
        {29, "IM", K::Flag},
        {30, "Active", K::Flag},
        {31, "ListIncludes", K::Flag},
        {32, "FF", K::Flag},
        {33, "SourceNames", K::Flag},
        {34, "ListFile", K::Text},
        {35, "NameObj", K::Flag},
        {36, "ASSMB", K::Flag},
        {37, "DOMH", K::Flag},
        {38, "MOL", K::Flag},
        {39, "prom", K::Flag},
        {40, "ProcType", K::Index},
        {41, "ObjectFile", K::Enabled},
        {42, "AssemblerFile", K::Enabled},
        {43, "ModuleFile", K::Enabled},
        {44, "DBug", K::Flag},
        {45, "specify", K::Flag},
        {46, "INCI", K::Flag},
        {47, "INCLN", K::Flag},
        {48, "Debuger", K::Number},
        {49, "LinkFile", K::Text},
        {50, "LinkFile", K::Enabled},
        {51, "Linkop", K::Flag},
        {52, "Linklist", K::Flag},
        {53, "Linklistfile", K::Text},
        {54, "Linklistfile", K::Enabled},
        {55, "Stats", K::Flag},
        {56, "Discodegen", K::Flag},
        {57, "FD", K::Flag},
        {58, "Format", K::Index},
        {59, "CPU", K::Index},
        {60, "GTC", K::Flag},
        {61, "Linkwarns", K::Flag},
        {62, "LRange", K::Flag},
        {63, "DisgaurdLocals", K::Flag},
        {64, "Overlay", K::Flag},
        {65, "FBP", K::Flag},
        {66, "SLDL", K::Flag},
        {67, "Crossref", K::Flag},
        {68, "LCR1", K::Flag},
        {69, "LCR2", K::Flag},
        {70, "LCR3", K::Flag},
        {71, "LCR4", K::Flag},
        {72, "SLPP", K::Flag},
        {73, "LinkLPP", K::Number},
        {74, "LinkLPP", K::Enabled},
        {75, "Uselnkcmd", K::Flag},
        {76, "Addext", K::Flag},
        {77, "ObjectFile", K::Text},
        {78, "AssemblerFile", K::Text},
        {79, "ProjectListBox", K::Count},
        {80, "Objectfiles", K::Count},
        {81, "LibraryFiles", K::Count},
        {82, "User", K::Flag},
        {83, "LinkerCmdfile", K::Text},
    };
    return table;
}

const std::vector<FileSection>& sections()
{
    static const std::vector<FileSection> table = {
        {"Objectfiles", 80, isObjectEntry},
        {"ProjectListBox", 79, isSourceEntry},
        {"LibraryFiles", 81, isLibraryEntry},
    };
    return table;
}

const std::vector<const char*>& alwaysChosen()
{
    static const std::vector<const char*> names = {"MBox", "PWbox", "Optomisation", "MemoryModel", "ProcType"};
    return names;
}

bool isSourceEntry(std::string_view entry)
{
    for (std::string_view ext : {".c", ".h", ".C", ".H"})
        if (entry.find(ext) != std::string_view::npos)
            return true;
    return false;
}

bool isLibraryEntry(std::string_view entry)
{
    if (entry.find(".r25") != std::string_view::npos)
        return true;
    // A bare library name, as "Set Defaults" puts it into the list, is the linker's to resolve;
    // dropping it would leave the project without its C library.
    return !winpath::trim(entry).empty() && winpath::extension(entry).empty();
}

bool isObjectEntry(std::string_view entry)
{
    return !entry.empty();
}

}  // namespace projectfile
