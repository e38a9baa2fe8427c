#include "linker/linker_options.h"

#include "app/tembedded.h"

// Placeholder until the linker option pages land.
LinkerOptions::LinkerOptions(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    c.add({"LinkerTabs", ControlKind::PageSet, "", "", "",
           {"Output", "Code", "List File", "General", "Object Files", "Libraries"}, "0", ""});
    c.add({"MBox", ControlKind::ComboBox, "LinkerTabs", "General", "", {"0000", "8000"}, "0", ""});
    c.add({"PWbox", ControlKind::ComboBox, "LinkerTabs", "General", "", {"small", "medium", "large"}, "0", ""});
    c.add({"LinkFile", ControlKind::Edit, "LinkerTabs", "Output", "", {}, "aout.a25", ""});
    c.add({"Linklist", ControlKind::CheckBox, "LinkerTabs", "Output", "Generate List File", {}, "", ""});
    c.add({"Linklistfile", ControlKind::Edit, "LinkerTabs", "Output", "", {}, "out.map", ""});
}
std::string LinkerOptions::ComposeLinkerLine() { return {}; }
void LinkerOptions::ApplyPrintFormat() {}
void LinkerOptions::LinkerOptions1Click() {}
void LinkerOptions::Button15Click() {}
void LinkerOptions::LinkOkClick() {}
void LinkerOptions::LinkDefsClick() {}
void LinkerOptions::CrossrefClick() {}
void LinkerOptions::LinklistClick() {}
