#include "tools/tnt_dlg.h"

TNTDlg::TNTDlg(const std::string& buttonCaption, const std::string& path, const std::string& name,
               const std::string& params)
{
    using K = ControlKind;
    m_controls.addAll({
        {"Path", K::Edit, "", "", "", {}, path, "Path"},
        {"PName", K::Edit, "", "", "", {}, name, "Name"},
        {"Params", K::Edit, "", "", "", {}, params, "Parameters"},
        {"exitBtn", K::Button, "", "", buttonCaption, {}, "", ""},
        {"Button2", K::Button, "", "", "Cancel", {}, "", ""},
        {"Button3", K::Button, "", "", "&Help", {}, "", ""},
    });
    m_controls["exitBtn"].isDefault = true;
    m_controls["exitBtn"].onActivate([this](const Sender&) { exitBtnClick(); });
    m_controls["Button2"].onActivate([this](const Sender&) { Button2Click(); });
    m_controls["Button3"].onActivate([this](const Sender&) { Button3Click(); });
}
