#pragma once
// The "Name Tool" dialog: a tool's path, name and parameters, confirmed with the caller's
// button ("Add" or "OK") or dropped with "Cancel". The platform shows it; its buttons end it.
#include <optional>
#include <string>

#include "app/control_set.h"
#include "platform/host/dialogs.h"

class TNTDlg : public OwnDialog
{
public:
    static constexpr const char* Name = "TNTDlg";
    static constexpr const char* Caption = "Name Tool";

    TNTDlg(const std::string& buttonCaption, const std::string& path, const std::string& name,
           const std::string& params);

    std::string dialogName() const override { return Name; }
    // Path, PName, Params; exitBtn, Button2, Button3.
    ControlSet& controls() { return m_controls; }
    std::string path() const { return m_controls["Path"].text(); }
    std::string name() const { return m_controls["PName"].text(); }
    std::string params() const { return m_controls["Params"].text(); }

    void exitBtnClick() { m_result = MsgAnswer::Ok; }
    void Button2Click() { m_result = MsgAnswer::Cancel; }
    // "&Help" has no action.
    void Button3Click() {}
    // Set once a button ended the dialog.
    std::optional<MsgAnswer> modalResult() const { return m_result; }

private:
    ControlSet m_controls;
    std::optional<MsgAnswer> m_result;
};
