#include "project/project_list_view.h"

#include "app/tembedded.h"
#include "project/option_titles.h"
#include "project/project_file.h"

namespace {

struct Heading {
    std::size_t row;
    const char* text;
};
const Heading Headings[] = {
    {49, " LINKER...."},
    {61, " CODE......"},
    {69, " LIST FILE."},
    {78, " GENERAL..."},
};

const char* headingAt(std::size_t row)
{
    for (const Heading& h : Headings)
        if (h.row == row)
            return h.text;
    return nullptr;
}

}  // namespace

ProjectListView::ProjectListView(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    c.add({"ProjectListTitle", ControlKind::Label, "OptionPanel", "", "Project List", {}, "", ""});
    c.add({"Memo2", ControlKind::List, "OptionPanel", "", "", {}, "", ""});
    for (const char* name : {"DisplayProjectList", "ToggleListBtn"})
        c[name].onActivate([this](const Sender&) { DisplayProjectListClick(); });
}

std::vector<std::string> ProjectListView::rows(const std::vector<std::string>& prolist)
{
    const std::vector<std::string>& labels = optiontitles::labels();
    std::vector<std::string> out;
    const std::size_t last = prolist.size() + 3;
    out.reserve(last + 1);
    std::size_t next = 0;  // the next project line to show
    for (std::size_t n = 0; n <= last; ++n) {
        std::string row = std::to_string(n);
        if (const char* heading = headingAt(n)) {
            row += heading;
        } else {
            row += ' ';
            if (n < labels.size())
                row += labels[n];
            row += "   ";
            if (next < prolist.size())
                row += prolist[next++];
        }
        out.push_back(std::move(row));
    }
    return out;
}

void ProjectListView::DisplayProjectListClick()
{
    ControlSet& c = m_app.controls();
    Control& item = c["DisplayProjectList"];
    item.setChecked(!item.checked());
    m_app.project().ComposeProject();
    c["OptionPanel"].setVisible(item.checked());
    c["Memo2"].setEntries(rows(m_app.prolist()));
}
