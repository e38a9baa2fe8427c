#include "linker/new_command_file.h"

#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/open_dialog.h"
#include "editor/tcode_ed.h"

NewCommandFile::NewCommandFile(TEmbedded& app) : m_app(app)
{
    app.controls()["NewCmdFile"].onActivate([this](const Sender&) { New1Click(); });
}

void NewCommandFile::New1Click()
{
    OpenDialog& dialog = m_app.openDialog();
    dialog.title = "New Linker Command File";
    dialog.fileName = "Default.xcl";
    dialog.initialFolder = m_app.compileDir();
    dialog.filterIndex = 7;
    // The name is usually one that does not exist yet.
    const auto path = dialog.Execute(m_app.host().dialogs, true);
    if (!path)
        return;
    Settings& s = m_app.settings();
    if (!s.editorSwitch) {
        m_app.host().shell.open(s.externalEd, *path, m_app.compileDir(), true);
        return;
    }
    EditorWindows& editors = m_app.editors();
    // A window that shows the file already must not get an empty twin that would write over it.
    if (editors.showOpen(*path, 0))
        return;
    TCodeEd& ed = editors.create();
    editors.cascade();
    ed.NewNamedFile(*path);
}
