#pragma once
// A build's diagnostics as marks in the editor windows of their files: set once the build's
// diagnostics are known, and in a window that reads one of those files later; dropped when the
// next build starts or the window closes. Tells where a diagnostic's line is now.
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class Control;
class EditorWindows;
class TCodeEd;
struct NumberedDiagnostic;

class DiagnosticMarks {
public:
    struct Where {
        int line = 0;  // from 1
        bool removed = false;
    };

    DiagnosticMarks(EditorWindows& editors, const Control& projectList);
    ~DiagnosticMarks();
    DiagnosticMarks(const DiagnosticMarks&) = delete;
    DiagnosticMarks& operator=(const DiagnosticMarks&) = delete;

    // The diagnostics stay where they are (the build's transcript) until clear().
    void attach(const std::vector<NumberedDiagnostic>& diagnostics);
    void clear();
    // Where the line of the diagnostic printed on that line of output is now; none when no
    // window holds its mark.
    std::optional<Where> where(std::size_t number) const;

    // Marks were set, cleared or moved in some window.
    std::function<void()> onMoved;

private:
    void mark(TCodeEd& ed) const;

    EditorWindows& m_editors;
    const Control& m_projectList;
    const std::vector<NumberedDiagnostic>* m_diagnostics = nullptr;
    int m_subscription = 0;
};
