#include "build/diagnostic_marks.h"

#include <map>
#include <string>

#include "app/control_set.h"
#include "build/build_transcript.h"
#include "build/error_check.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"

DiagnosticMarks::DiagnosticMarks(EditorWindows& editors, const Control& projectList)
    : m_editors(editors), m_projectList(projectList)
{
    m_subscription = editors.subscribe([this](EditorEvent event, TCodeEd* ed) {
        if (event == EditorEvent::Loaded && ed && m_diagnostics)
            mark(*ed);
        else if (event == EditorEvent::MarksMoved && onMoved)
            onMoved();
    });
}

DiagnosticMarks::~DiagnosticMarks()
{
    m_editors.unsubscribe(m_subscription);
}

void DiagnosticMarks::attach(const std::vector<NumberedDiagnostic>& diagnostics)
{
    m_diagnostics = &diagnostics;
    for (TCodeEd* ed : m_editors.windows())
        mark(*ed);
}

void DiagnosticMarks::clear()
{
    m_diagnostics = nullptr;
    for (TCodeEd* ed : m_editors.windows())
        ed->clearMarks();
}

void DiagnosticMarks::mark(TCodeEd& ed) const
{
    if (ed.fileName().empty())
        return;
    // The file a diagnostic names is found as the panel's click finds it: once per name.
    std::map<std::string, bool> shown;
    std::vector<LineMark> marks;
    for (const NumberedDiagnostic& n : *m_diagnostics) {
        const BuildDiagnostic& d = n.diagnostic;
        if (!d.located())
            continue;
        auto it = shown.find(d.file);
        if (it == shown.end()) {
            const std::string* entry = projectEntryFor(m_projectList.entries(), d.file);
            it = shown.emplace(d.file, entry && m_editors.findByFile(*entry) == &ed).first;
        }
        if (it->second)
            marks.push_back({n.number, d.severity == DiagnosticSeverity::Error ? MarkKind::Error : MarkKind::Warning,
                             n.text, d.line - 1});
    }
    if (marks.empty())
        ed.clearMarks();
    else
        ed.setMarks(std::move(marks));
}

std::optional<DiagnosticMarks::Where> DiagnosticMarks::where(std::size_t number) const
{
    for (const TCodeEd* ed : m_editors.windows()) {
        const LineMarks& marks = ed->marks();
        if (const auto i = marks.find(number))
            return Where{marks.line(*i, ed->buffer()) + 1, marks.place(*i).removed};
    }
    return std::nullopt;
}
