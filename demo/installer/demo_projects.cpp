#include "demo_projects.h"

#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "project/project_file.h"
#include "quiet_host.h"

std::optional<std::string> demoprojects::write(const DriveMap& map, const std::string& projectPath,
                                               const std::vector<std::string>& sources)
{
    QuietHost quiet(map);
    TEmbedded app(quiet.host());
    app.compiler().DefaultsClick();
    app.linker().LinkDefsClick();

    ControlSet& c = app.controls();
    c["GLF"].setChecked(true);
    c["SourceNames"].setChecked(true);
    c["Linklist"].setChecked(true);
    c["LibraryFiles"].setEntries(Libraries);
    c["Objectfiles"].setEntries(Objects);
    c["ProjectListBox"].setEntries(sources);

    app.project().ComposeProject();
    if (!quiet.messages().empty())
        return quiet.messages().front();
    if (!app.project().write(projectPath))
        return "Cannot create file " + projectPath;
    return std::nullopt;
}
