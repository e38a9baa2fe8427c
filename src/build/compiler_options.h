#pragma once
// The compiler option pages: their controls, interlocks, defaults, and the compiler
// parameter text computed from them.
#include <string>

class TEmbedded;
struct Sender;

class CompilerOptions {
public:
    explicit CompilerOptions(TEmbedded& app);

    std::string CompilerParams(const std::string& sourceName);

    void CompilerOptionsClick();
    void Memory1Click();
    void ObjectFileExit();
    void DefaultsClick();
    void CancelCompOptsClick();
    void CompOptsOKClick(const Sender& sender);

    int listFileCounter() const { return m_listFileCounter; }

private:
    TEmbedded& m_app;
    int m_listFileCounter = 1;
};
