#pragma once
// A started main window on the fake platform with no project loaded, the demo's directories,
// and a project of three sources in D:\work written by the program's own writer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tembedded.h"
#include "project/project_commands.h"
#include "project/project_edit_panel.h"
#include "project/project_file.h"
#include "project/source_browser.h"
#include "support/app_fixture.h"

namespace projecttest {

inline const std::string kCompileDir = "C:\\Tarnel\\Source";
inline const std::string kWorkDir = "C:\\Tarnel";
inline const std::string kIdeBat = "C:\\Tarnel\\Source\\ide.bat";
inline const std::string kProject = "D:\\work\\demo.prj";
inline const std::vector<std::string> kSources = {"D:\\work\\main.c", "D:\\work\\util.c", "D:\\work\\defs.h"};

class ProjectFixture : public ::testing::Test {
protected:
    ProjectFixture()
    {
        f.prepareInstalledMachine(kCompileDir);
        f.fake.settings.values["directory"] = kWorkDir;
        for (const std::string& s : kSources)
            f.fake.files.put(s, "/* " + s + " */\r\n");
        f.start();
        files().putFolder(kWorkDir);
        writeProject(kProject, kSources);
        fake().dialogs.calls.clear();
    }

    // A project file as the program writes it: the current controls and these sources.
    void writeProject(const std::string& path, const std::vector<std::string>& sources)
    {
        const std::vector<std::string> before = c()["ProjectListBox"].entries();
        c()["ProjectListBox"].setEntries(sources);
        app().project().ComposeProject();
        files().put(path, joinLines(app().prolist()));
        c()["ProjectListBox"].setEntries(before);
    }
    // Opens through the load dialog, answering with the path.
    void open(const std::string& path)
    {
        fake().dialogs.fileAnswers.push_back(path);
        commands().OpenProjectClick();
    }

    FakeHost& fake() { return f.fake; }
    FakeFiles& files() { return f.fake.files; }
    TEmbedded& app() { return *f.app; }
    ControlSet& c() { return f.app->controls(); }
    ProjectCommands& commands() { return f.app->projectCommands(); }
    ProjectEditPanel& panel() { return f.app->projectEdit(); }
    SourceBrowser& browser() { return f.app->projectEdit().browser(); }
    std::string text(const std::string& path) const { return f.text(path); }
    std::vector<std::string> messages() const { return f.fake.dialogs.messages(); }
    std::vector<std::string> sources() { return c()["ProjectListBox"].entries(); }
    std::string currentProject() { return app().settings().project; }
    std::string panel5() { return app().statusBar().panel(5).text; }

    AppFixture f;
};

}  // namespace projecttest
