// Large sources opened as a user opens them, by the start-up's reload of the last file and by
// "File" > "Open File", several times each: every load ends with the whole text in the window.
#include <QAction>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "editor/view/qt_text_buffer.h"
#include "support/app_fixture.h"
#include "support/qt_runs.h"

namespace {

const std::string kFile = "C:\\Work\\big.c";

std::string source(std::size_t megabytes)
{
    std::string text;
    text.reserve(megabytes << 20);
    for (int i = 0; text.size() < (megabytes << 20); ++i)
        text += "int value" + std::to_string(i) + " = " + std::to_string(i) + ";  /* a line of the source */\r\n";
    return text;
}

TEST(LargeFiles, EveryOpenByEitherRouteEndsWithTheWholeText)
{
    for (const std::size_t megabytes : {1, 5, 20}) {
        const std::string text = source(megabytes);
        for (const bool reload : {true, false}) {
            for (int round = 0; round < 3; ++round) {
                const std::string what = std::to_string(megabytes) + " MiB, round " + std::to_string(round) +
                                         (reload ? ", reloaded at start-up" : ", by the menu");
                AppFixture f;
                f.prepareInstalledMachine();
                f.fake.files.put(kFile, text);
                f.fake.settings.values["reload"] = reload ? "1" : "0";
                f.fake.settings.values["c file"] = kFile;
                TEmbedded& app = f.make();
                MainWindow window(app);
                window.resize(1000, 700);
                window.show();
                f.start();
                if (!reload) {
                    f.fake.dialogs.fileAnswers = {kFile};
                    window.findChild<QAction*>("OpenFile")->trigger();
                }
                ASSERT_EQ(app.editors().count(), 1) << what;
                const TCodeEd& ed = *app.editors().windows().front();
                CodeEditorWindow* view = window.findChild<EditorAreaView*>("EditorAreaView")->windowOf(&ed);
                ASSERT_NE(view, nullptr) << what;
                ASSERT_TRUE(waitFor([&] { return !view->buffer()->loading(); }, 300000)) << what;
                EXPECT_FALSE(view->editor()->isReadOnly()) << what;
                EXPECT_TRUE(view->buffer()->text() == text) << what;
            }
        }
    }
}

}  // namespace
