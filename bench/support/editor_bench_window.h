#pragma once
// One editor window over the real file system of a prefix, shown at its designed size.
#include <string>

#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_window.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"

struct EditorBenchWindow {
    DriveMap map;
    QtFiles files{map};
    FakeHost fake;
    Host host{fake.dialogs, fake.shell, fake.beeper, fake.clock, fake.timers, fake.settings, files, ""};
    TEmbedded app{host};
    TCodeEd& ed = app.editors().create();
    CodeEditorWindow view{app, ed};

    explicit EditorBenchWindow(const std::string& prefix) : map(prefix) { view.show(); }
};
