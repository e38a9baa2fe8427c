#pragma once
// The compiler option pages: their controls, interlocks, defaults, and the compiler
// parameter text computed from them.
#include <memory>
#include <string>

class CompilerCommandLine;
class CompilerInterlocks;
class TEmbedded;
struct Sender;

class CompilerOptions {
public:
    explicit CompilerOptions(TEmbedded& app);
    ~CompilerOptions();

    std::string CompilerParams(const std::string& sourceName);

    void CompilerOptionsClick();
    void Memory1Click();
    void ObjectFileExit();
    void DefaultsClick();
    void CancelCompOptsClick();
    void CompOptsOKClick(const Sender& sender);

    void StrictClick();
    void GLFClick();
    void GCRClick();
    void NameObjClick();
    void ASSMBClick();

    int listFileCounter() const;

private:
    void wireButtons();
    void hideListFileWhenSourceNames();

    TEmbedded& m_app;
    std::unique_ptr<CompilerInterlocks> m_interlocks;
    std::unique_ptr<CompilerCommandLine> m_commandLine;
};
