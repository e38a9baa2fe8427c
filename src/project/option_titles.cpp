#include "project/option_titles.h"

namespace optiontitles {

const std::vector<std::string>& labels()
{
    static const std::vector<std::string> table = {
        "memory;",                  // 0
        "Pbox;",
        "ENC.Checked;",
        "DW.Checked;",
        "strict.Checked;",
        "syntax.Checked;",
        "ANSI.Checked;",
        "EE.Checked;",
        "SC.Checked;",
        "Silent.Checked;",
        "SIV.Checked;",             // 10
        "D64.Checked;",
        "putall.Checked;",
        "comm.Checked;",
        "commandfile.text;",
        "optomisation.itemindex;",
        "SSN.Checked;",
        "memorymodel.ItemIndex;",
        "pause.Checked;",
        "GLF.Checked;",
        "Stats.Checked;",           // 20
        "tabs.value;",
        "LPP.Checked;",
        "lines.Value;",
        "GCR.Checked;",
        "GCR1.Checked;",
        "GCR2.Checked;",
        "GCR3.Checked;",
        "GCR4.Checked;",
        "IM.Checked;",
        "active.Checked;",          // 30
        "listincludes.Checked;",
        "FF.Checked;",
        "SourceNames.Checked;",
        "ListFile.Text;",
        "Nameobj.Checked;",
        "ASSMB.Checked;",
        "DOMH.Checked;",
        "MOL.Checked;",
        "prom.Checked;",
        "proctype.itemindex;",      // 40
        "objectfile.Enabled;",
        "assemblerfile.Enabled;",
        "modulefile.Enabled;",
        "Dbug.Checked;",
        "Specify.Checked :",
        "INCI.Checked      :",
        "INCLN.Checked  :",
        "Debuger.Position :",
        "",
        "Linkfile                  :",  // 50
        "Linkfile.Enabled    :",
        "LinkOp.Checked   :",
        "LinkList.Checked  :",
        "Linklistfile               :",
        "Linklistfile.Enabled :",
        "Stats.Checked       :",
        "Discodegen           :",
        "FD                         :",
        "Format                   :",
        "CPU                      :",   // 60
        "",
        "No GTC                :",
        "LinkWarns            :",
        "Lrange                  :",
        "Disgaurdlocals      :",
        "Overlay                 :",
        "FBP                      :",
        "SLDL                    :",
        "",
        "Crossref                :",    // 70
        "LCR1                    :",
        "LCR2                    :",
        "LCR3                    :",
        "LCR4                    :",
        "Spec Lines PP      :",        // the Specify box: lines per page of the listing
        "Link Lpp               :",
        "Link Lpp. En         :",
        "",
        "uselnkcmd           :",
        "addext                 :",     // 80
        "Objectfile  :",
        "Num comp files    :",
        "Num link files       :",
        "Num Lib files        :",
        "User Command    :",
        "Command File      :",
        "",
        "linker source files ",
        "",
        "Comp source files;",           // 90
    };
    return table;
}

}  // namespace optiontitles
