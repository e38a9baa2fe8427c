#pragma once
// The linker option pages: their controls and handlers, the linker parameter text, the
// choice of the default command file and the checks of a command file in use.
#include <string>

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
    void CrossrefClick();
    void LinklistClick();

    const std::string& writeFormatSwitch() const { return m_writeFormat; }
    const std::string& readFormatSwitch() const { return m_readFormat; }

private:
    TEmbedded& m_app;
    std::string m_writeFormat;
    std::string m_readFormat;
};
