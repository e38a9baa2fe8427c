#pragma once
// Enabling rules between the compiler option controls. Each check box rule runs whenever the
// box's checked state changes, whoever changes it; the debugger edit and its up/down control
// are kept in step both ways.
#include <functional>
#include <string>

class Control;
class ControlSet;

class CompilerInterlocks {
public:
    CompilerInterlocks(ControlSet& controls, std::function<std::string()> compileDir);
    ~CompilerInterlocks();
    CompilerInterlocks(const CompilerInterlocks&) = delete;
    CompilerInterlocks& operator=(const CompilerInterlocks&) = delete;

    void StrictClick();
    void GLFClick();
    void GCRClick();
    void NameObjClick();
    void ASSMBClick();
    // Focus left ObjectFile: complete a bare name to a full object file path.
    void ObjectFileExit();

    // Brings every dependent control in line with the boxes' current states.
    void applyAll();

private:
    void syncDebugger(Control& changed);

    ControlSet& m_controls;
    std::function<std::string()> m_compileDir;
    int m_observer = 0;
};
