#pragma once
// The "&Assembler" menu: picks one assembler source into AssemblerFile and runs the
// toolchain's assembler on it in the compile directory, outside any build.
#include <string>

class TEmbedded;

class AssemblerRun
{
public:
    explicit AssemblerRun(TEmbedded& app);

    // "&File" and the browse button beside AssemblerFile.
    void PickAsmFile();
    // "Assemble".
    void AssembleClick();

    // The list name the assembler is given for this AssemblerFile text ("" for none).
    static std::string listName(const std::string& assemblerFile, bool listing);
    std::string assemblerProgram() const;

private:
    TEmbedded& m_app;
};
