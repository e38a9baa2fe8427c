#pragma once
// A started main window on the fake platform, with helpers that play the user's part in the
// program picker and the "Name Tool" dialog.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/app_fixture.h"
#include "tools/tnt_dlg.h"
#include "tools/tool_config.h"
#include "tools/tool_runner.h"

namespace toolstest
{

// What the user does in the "Name Tool" dialog: fields left out keep what the dialog showed.
struct NameToolAnswer {
    std::optional<std::string> path, name, params;
    bool ok = true;
};

// The fields and button caption the dialog was opened with.
struct NameToolSeen {
    std::string path, name, params, button;
};

class ToolsFixture : public ::testing::Test
{
protected:
    ToolsFixture()
    {
        f.prepareInstalledMachine();
        f.start();
        f.fake.dialogs.calls.clear();
    }

    TEmbedded& app() { return *f.app; }
    ControlSet& c() { return f.app->controls(); }
    ToolConfig& config() { return f.app->toolConfig(); }
    ToolLists& tools() { return f.app->settings().tools; }

    // Scripts the next "Name Tool" dialog; what it showed lands in `seen`.
    void answerNameTool(NameToolAnswer answer, NameToolSeen* seen = nullptr)
    {
        f.fake.dialogs.dialogScripts.push_back([answer, seen](OwnDialog& d) {
            auto& dialog = dynamic_cast<TNTDlg&>(d);
            ControlSet& fields = dialog.controls();
            if (seen)
                *seen = {dialog.path(), dialog.name(), dialog.params(), fields["exitBtn"].caption()};
            if (answer.path)
                fields["Path"].setText(*answer.path);
            if (answer.name)
                fields["PName"].setText(*answer.name);
            if (answer.params)
                fields["Params"].setText(*answer.params);
            fields[answer.ok ? "exitBtn" : "Button2"].activate();
            return dialog.modalResult().value_or(MsgAnswer::Cancel);
        });
    }
    // Browse for the program, then the dialog as answered.
    void browse(const char* button, const std::string& program, NameToolAnswer answer = {})
    {
        f.fake.dialogs.fileAnswers.push_back(program);
        answerNameTool(std::move(answer));
        config().PToolBtnClick(button);
    }
    void addProgrammingTool(const std::string& name, const std::string& path)
    {
        browse("PToolBtn", path, {{}, name, {}, true});
    }
    void addUserTool(const std::string& name, const std::string& path, const std::string& params)
    {
        browse("UToolBtn", path, {{}, name, params, true});
    }
    std::vector<std::string> menuItems() { return c()["Tools1"].entries(); }

    AppFixture f;
};

} // namespace toolstest
