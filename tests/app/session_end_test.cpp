// A request to end the session that arrives while the start-up works (a signal outside any
// event loop) begins the shutdown at the next point where the work asks closing().
#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace {

TEST(SessionEndDuringStartUp, APendingSignalStopsTheToolchainCopyAndRunsTheShutdownOnce)
{
    AppFixture f;
    f.prepareInstalledMachine();
    for (int i = 0; i < 40; ++i)
        f.fake.files.put("C:\\Nec\\C\\include\\h" + std::to_string(i) + ".h", "/* */");
    TEmbedded& app = f.make();

    bool signalled = false;
    int shutdowns = 0;
    app.pollShutdown = [&] {
        // The signal arrives once the third header is in place.
        signalled = signalled || f.fake.files.fileExists("C:\\Tarnel\\Source\\h2.h");
        if (signalled && shutdowns == 0) {
            ++shutdowns;
            app.FormClose();
        }
    };
    f.start();

    EXPECT_EQ(shutdowns, 1);
    EXPECT_TRUE(app.closing());
    EXPECT_TRUE(f.fake.files.fileExists("C:\\Tarnel\\Source\\h2.h"));
    EXPECT_FALSE(f.fake.files.fileExists("C:\\Tarnel\\Source\\h3.h"));
    // The settings were kept; no later step ran: no batch file, no project defaults.
    EXPECT_EQ(f.fake.settings.values["comp source"], "C:\\Tarnel\\Source");
    EXPECT_FALSE(f.fake.files.fileExists("C:\\pathset.bat"));
    EXPECT_EQ(app.statusBar().panel(0).text, "Project");
}

TEST(SessionEndDuringStartUp, WithoutASignalTheStartUpCopiesEverything)
{
    AppFixture f;
    f.prepareInstalledMachine();
    for (int i = 0; i < 40; ++i)
        f.fake.files.put("C:\\Nec\\C\\include\\h" + std::to_string(i) + ".h", "/* */");
    TEmbedded& app = f.make();
    int asked = 0;
    app.pollShutdown = [&] { ++asked; };
    f.start();
    EXPECT_FALSE(app.closing());
    EXPECT_GE(asked, 40);
    EXPECT_TRUE(f.fake.files.fileExists("C:\\Tarnel\\Source\\h39.h"));
    EXPECT_TRUE(f.fake.files.fileExists("C:\\pathset.bat"));
}

}  // namespace
