#include "linker/command_file_wizard.h"

#include "app/tembedded.h"
#include "linker/command_file_format.h"
#include "linker/command_file_editor.h"
#include "platform/paths/win_path.h"

CommandFileWizard::CommandFileWizard(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    c["Wizard1"].onActivate([this](const Sender&) { Wizard1Click(); });
    c["WizardBtn"].onActivate([this](const Sender&) { Wizard1Click(); });
}

void CommandFileWizard::Wizard1Click()
{
    ControlSet& c = m_app.controls();
    TCommandFileEd editor(m_app.host());
    editor.editorDirectory = m_app.compileDir();
    editor.setCaption(c["LinkerCmdfile"].text());
    editor.defaultLibrary = c["D64"].checked() ? "CL7832SD" : "CL7832S";
    editor.libselectFolder = m_app.compileDir();
    editor.saveDialogFolder = m_app.compileDir();
    if (!runEditor || !runEditor(editor))
        return;
    // User and Uselnkcmd stay as they are: with User off the next composition of the linker
    // line puts the default command file back.
    c["LinkerCmdfile"].setText(commandFileStem(editor.resultFileName()));
}
