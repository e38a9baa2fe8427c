#pragma once
// The demo's project files, written by Tarnel's own project writer so that they hold exactly
// what the program itself would save.
#include <optional>
#include <string>
#include <vector>

class DriveMap;

namespace demoprojects
{

// The library and run-time objects the demo projects link with, as "Set Defaults" gives them.
inline const std::vector<std::string> Libraries{"CL7832S"};
inline const std::vector<std::string> Objects{"cstartup.r25", "watchdog.r25"};

// Writes a project with the option defaults, a listing named after each source, a linker
// list file, the objects and library above and the given sources (Windows paths).
// nullopt when written, else what went wrong.
std::optional<std::string> write(const DriveMap& map, const std::string& projectPath,
                                 const std::vector<std::string>& sources);

} // namespace demoprojects
