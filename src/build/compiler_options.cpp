#include "build/compiler_options.h"

#include "app/tembedded.h"

// Placeholder until the compiler option pages land.
CompilerOptions::CompilerOptions(TEmbedded& app) : m_app(app)
{
    app.controls().add({"ProcType", ControlKind::ComboBox, "OptionsTabs", "Output", "",
                        {"78310", "78310A", "78320", "78327", "78330"}, "2", "Processor"});
}
std::string CompilerOptions::CompilerParams(const std::string&) { return {}; }
void CompilerOptions::CompilerOptionsClick() {}
void CompilerOptions::Memory1Click() {}
void CompilerOptions::ObjectFileExit() {}
void CompilerOptions::DefaultsClick() {}
void CompilerOptions::CancelCompOptsClick() {}
void CompilerOptions::CompOptsOKClick(const Sender&) {}
