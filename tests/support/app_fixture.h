#pragma once
// A core main window over the fake platform, with the folders of a typical machine.
#include <memory>

#include "app/tembedded.h"
#include "platform/fake/fake_host.h"

struct AppFixture {
    FakeHost fake;
    std::unique_ptr<TEmbedded> app;

    // The running program is there, so its version strings can be read.
    AppFixture()
    {
        fake.files.putFolder("C:\\");
        fake.files.put(fake.host.programFile, "MZ");
    }
    TEmbedded& make()
    {
        app = std::make_unique<TEmbedded>(fake.host);
        return *app;
    }
    // Runs the whole start-up as the first activation and the timer tick would.
    TEmbedded& start()
    {
        TEmbedded& a = app ? *app : make();
        a.FormActivate();
        fake.timers.fire(1000);
        return a;
    }
    // A compile directory with the six default command files and a NEC directory.
    void prepareInstalledMachine(const std::string& compileDir = "C:\\Tarnel\\Source");
    std::string text(const std::string& path) const { return fake.files.readBytes(path).value_or("<missing>"); }
};
