#pragma once
// The error window: the collected error and warning lines, the file name and line number read
// from the line last clicked, and the two buttons that end it. The platform shows it modally.
#include <optional>
#include <string>
#include <vector>

#include "app/control_set.h"
#include "platform/host/dialogs.h"

// The file and line of the line last clicked in any error window; they outlive each window.
struct ErrorPosition {
    std::string ErrorFile;
    int ErrorLine = 0;
};

class TErrorLog : public OwnDialog {
public:
    static constexpr const char* Name = "TErrorLog";
    static constexpr const char* Caption = "ErrorLog";
    static constexpr int Width = 605;
    static constexpr int Height = 195;
    static constexpr int PanelWidths[2] = {250, 50};

    explicit TErrorLog(ErrorPosition& position);

    std::string dialogName() const override { return Name; }
    // ErrorList; Panel0 and Panel1 of the status bar; GoToError and CancelBtn.
    ControlSet& controls() { return m_controls; }
    const ErrorPosition& position() const { return m_position; }

    void ErrorListClick();
    void GoToErrorClick() { m_result = MsgAnswer::Ok; }
    void CancelBtnClick() { m_result = MsgAnswer::Cancel; }
    // Set once a button ended the dialog.
    std::optional<MsgAnswer> modalResult() const { return m_result; }

private:
    ErrorPosition& m_position;
    ControlSet m_controls;
    std::optional<MsgAnswer> m_result;
};

// What a diagnostic line names, by the positions the error window reads: the file name quoted
// at the start of the line, and the text the line number is read from (ending with a blank).
struct ErrorLineParts {
    std::string file;
    std::string number;
    int line = 0;
};
ErrorLineParts readErrorLine(const std::string& line);
