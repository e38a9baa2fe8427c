#pragma once
// The linker option pages: their handlers, the linker parameter text, the choice of the
// default command file and the checks of a command file in use.
#include <string>

#include "linker/compose_linker_line.h"
#include "linker/linker_lists.h"

class TEmbedded;

class LinkerOptions {
public:
    explicit LinkerOptions(TEmbedded& app);

    std::string ComposeLinkerLine();
    void ApplyPrintFormat();

    void LinkerOptions1Click();
    void Button15Click();
    void LinkOkClick();
    void LinkDefsClick();

    // Interlocks; each runs when its control changes.
    void LinkopClick();
    void LinklistClick();
    void CrossrefClick();
    void SLPPClick();
    void UselnkcmdClick();
    void UseFormatsClick();
    void MemBoxClick();
    void PrintBoxClick();

    // Turns the print-format switches off after the command file was found to hold them.
    void disablePrintFormats();

    const std::string& writeFormatSwitch() const { return m_switches.write; }
    const std::string& readFormatSwitch() const { return m_switches.read; }
    LinkerLists& lists() { return m_lists; }

private:
    void wire();

    TEmbedded& m_app;
    PrintFormatSwitches m_switches;
    LinkerLists m_lists;
};
