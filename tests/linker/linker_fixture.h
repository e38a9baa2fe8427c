#pragma once
// A whole core main window on fake platform services, for the linker page tests.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "app/tembedded.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"

class LinkerTest : public ::testing::Test {
protected:
    FakeHost fake;
    TEmbedded app{fake.host};
    ControlSet& c = app.controls();
    LinkerOptions& linker = app.linker();

    void noProject() { app.settings().project = Settings::NoProject; }
    void withProject() { app.settings().project = "C:\\Tarnel\\demo.prj"; }

    // Every switch off and both lists empty: the line is nothing but its two separators.
    void bare()
    {
        for (Control* control : c.all())
            if (control->page == "LinkerTabs" && control->kind() == ControlKind::CheckBox)
                control->setChecked(false);
        c["CPU"].setItemIndex(0);
        c["Format"].setItemIndex(0);
        c["Objectfiles"].setEntries({});
        c["LibraryFiles"].setEntries({});
    }
};
