#pragma once
// The programming tools and the user tools. Each entry keeps its name, path and parameters
// together, so sorting the drop-down can never pair a name with another tool's path.
#include <string>
#include <vector>

class ControlSet;

struct ProgrammingTool {
    std::string name;
    std::string path;
};

struct UserTool {
    std::string name;
    std::string path;
    std::string params; // "-" for none
};

struct ToolLists {
    std::vector<ProgrammingTool> programming; // in drop-down order: by name
    std::vector<UserTool> user;               // in the order they were added

    // Inserts after every entry whose name sorts before or equal to it; returns its index.
    int addProgrammingTool(ProgrammingTool tool);
    // Index of the first programming tool with exactly this path, -1 when none.
    int findProgrammingPath(const std::string& path) const;
    int findUserPath(const std::string& path) const;

    // The names, as the drop-down and the list box show them.
    std::vector<std::string> programmingNames() const;
    std::vector<std::string> userNames() const;
};

// Drop-down order: letters without regard to case, as the system's sorted lists compare.
bool sortsBefore(const std::string& a, const std::string& b);

// Shows the names in ProgToolsList and UserToolsList; selections are the caller's business.
void showToolLists(const ToolLists& tools, ControlSet& controls);
