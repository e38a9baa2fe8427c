#include "linker/command_file_check.h"

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "linker/linker_options.h"
#include "platform/paths/win_path.h"

namespace {

// First line equal to the wanted one without regard to case, counted from 0; -1 when none.
int findLine(const std::vector<std::string>& lines, const std::string& wanted)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (winpath::equalsNoCase(lines[i], wanted))
            return static_cast<int>(i);
    return -1;
}

// An entry's name without folder and without its last four characters (the ".r25").
std::string stem(const std::string& entry)
{
    return winpath::dropLast(winpath::fileName(entry), 4);
}

}  // namespace

CommandFileCheck::CommandFileCheck(TEmbedded& app, LinkerOptions& linker) : m_app(app), m_linker(linker) {}

std::string CommandFileCheck::commandFileName(const std::string& name)
{
    if (winpath::extension(name) == ".xcl")
        return name;
    return name + ".xcl";
}

void CommandFileCheck::run()
{
    ControlSet& c = m_app.controls();
    const std::string path =
        winpath::join(m_app.compileDir(), commandFileName(c["LinkerCmdfile"].text()));
    Files& files = m_app.host().files;
    if (!files.fileExists(path))
        return;
    const auto lines = files.readLines(path);
    if (!lines) {
        m_app.message(cannotOpenMessage(path), MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const std::string text = joinLines(*lines);

    checkCpu(*lines);
    checkLibraries(text);
    checkObjects(text);
    checkFormat(*lines, m_linker.readFormatSwitch(), "Read Format");
    checkFormat(*lines, m_linker.writeFormatSwitch(), "Write Format");
}

void CommandFileCheck::checkCpu(const std::vector<std::string>& lines)
{
    // The whole line counts, blanks included: " -c78300" is another line.
    const int at = findLine(lines, "-c" + m_app.controls()["CPU"].text());
    if (at >= 0)
        m_app.message("CPU is defined in command file at line " + std::to_string(at), MsgButtons::OkCancel,
                      MsgIcon::Warning);
}

void CommandFileCheck::checkLibraries(const std::string& text)
{
    for (const std::string& entry : m_app.controls()["LibraryFiles"].entries()) {
        const std::string name = stem(entry);
        if (text.find("-C " + name) != std::string::npos
            || text.find("-C " + winpath::lower(name)) != std::string::npos)
            m_app.message("C Library " + entry + " is defined in the command file\rCompile will fail");
    }
}

void CommandFileCheck::checkObjects(const std::string& text)
{
    const std::string upperText = winpath::upper(text);
    for (const std::string& entry : m_app.controls()["Objectfiles"].entries()) {
        if (upperText.find("-C " + winpath::upper(stem(entry))) != std::string::npos)
            m_app.message("C RTL " + entry + " is defined in the command file\r Compile will fail");
    }
}

void CommandFileCheck::checkFormat(const std::vector<std::string>& lines, const std::string& switchText,
                                   const std::string& what)
{
    if (switchText.empty())
        return;
    const int at = findLine(lines, winpath::trim(switchText));
    if (at < 0)
        return;
    const MsgAnswer answer =
        m_app.message(what + " is defined in command file at line " + std::to_string(at) + "\rClick OK to disable option",
                      MsgButtons::OkCancel, MsgIcon::Warning);
    if (answer == MsgAnswer::Ok)
        m_linker.disablePrintFormats();
}
