#include "linker/command_file_format.h"

#include "linker/segment_grid.h"
#include "platform/paths/win_path.h"

std::string segmentLine(const SegmentLineChoice& choice, const SegmentGrid& grid)
{
    std::string line = winpath::trim(choice.segmentType) == "NONE" ? "-Z" : "-Z(" + choice.segmentType + ")";
    const int last = grid.lastRow();
    for (int row = 1; row <= last; ++row) {
        if (row != 1 && row != last)
            line += ",";
        line += winpath::upper(grid.cell(SegmentGrid::NameColumn, row));
        line += grid.cell(SegmentGrid::IncreaseColumn, row);
    }
    line += choice.downwards ? "#" : "=";
    line += winpath::upper(choice.lower);
    if (winpath::trim(choice.upper) != "0000")
        line += "-" + winpath::upper(choice.upper);
    if (winpath::trim(choice.dump) != "0000")
        line += "." + winpath::upper(choice.dump);
    return line;
}

bool memoryRangeRefused(const std::string& lower, const std::string& upper)
{
    return !(upper > lower) && upper != "0000";
}

std::vector<std::string> composeCommandFile(const CommandFileChoice& choice)
{
    std::vector<std::string> lines;
    lines.push_back(" -c" + choice.cpu);
    lines.insert(lines.end(), choice.segmentLines.begin(), choice.segmentLines.end());
    if (!winpath::trim(choice.writeFormat).empty())
        lines.push_back(" -e_" + choice.writeFormat + "_write=_formatted_write");
    if (!winpath::trim(choice.readFormat).empty())
        lines.push_back(" -e_" + choice.readFormat + "_read=_formatted_read");
    for (const std::string& library : choice.libraries)
        lines.push_back("-C " + library);
    return lines;
}

std::string commandFileStem(const std::string& name)
{
    return winpath::equalsNoCase(winpath::extension(name), ".xcl") ? winpath::withoutExtension(name) : name;
}
