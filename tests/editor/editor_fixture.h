#pragma once
// A core main window with editor windows over the fake platform; each window keeps its own
// string buffer, so tests type and select through it.
#include <gtest/gtest.h>

#include "editor/editor_platform.h"
#include "editor/editor_windows.h"
#include "editor/open_dialog.h"
#include "editor/tcode_ed.h"
#include "support/app_fixture.h"

// Scripted font, print and printer-setup dialogs.
struct FakeEditorPlatform : EditorPlatform {
    std::optional<EditorFont> fontAnswer;
    bool printAnswer = true;
    std::vector<std::string> printed;  // job titles
    int setups = 0;
    ScreenRect rect{100, 50, 572, 280};

    std::optional<EditorFont> chooseFont(const FontDialog&) override { return fontAnswer; }
    bool print(const std::string& title) override
    {
        if (printAnswer)
            printed.push_back(title);
        return printAnswer;
    }
    void printSetup() override { ++setups; }
    ScreenRect editorRect() const override { return rect; }
};

struct EditorFixture : ::testing::Test {
    AppFixture f;
    TEmbedded& app = f.make();
    EditorWindows& eds = app.editors();
    FakeDialogs& dialogs = f.fake.dialogs;

    TCodeEd& open(const std::string& path, const std::string& bytes, int line = 0)
    {
        f.fake.files.put(path, bytes);
        TCodeEd& ed = eds.create();
        ed.OpenAtLine(path, line);
        return ed;
    }
    static StringBuffer& buf(TCodeEd& ed) { return static_cast<StringBuffer&>(ed.buffer()); }
    static std::string selected(TCodeEd& ed)
    {
        return ed.buffer().text().substr(static_cast<std::size_t>(ed.buffer().selStart()),
                                         static_cast<std::size_t>(ed.buffer().selLength()));
    }
    std::vector<std::string> messages() const { return dialogs.messages(); }
};
