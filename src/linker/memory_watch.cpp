#include "linker/memory_watch.h"

#include <algorithm>
#include <cctype>

#include "app/control_set.h"
#include "app/settings.h"
#include "build/build_output.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace
{

bool ranLinker(const BuildOutput& output)
{
    for (const ProgramRun& run : output.programs())
        if (winpath::equalsNoCase(winpath::withoutExtension(winpath::fileName(run.program())), "xlink"))
            return true;
    return false;
}

bool wordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Where the symbol stands as a whole word in the line.
std::size_t wordAt(const std::string& line, const std::string& word)
{
    for (std::size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if ((at == 0 || !wordChar(line[at - 1])) && (after == line.size() || !wordChar(line[after])))
            return at;
    }
    return std::string::npos;
}

} // namespace

std::optional<MemoryUsage> memoryAfterBuild(const BuildOutput& output, const ControlSet& controls,
                                            const Settings& settings, Files& files)
{
    if (!ranLinker(output))
        return std::nullopt;
    return memoryOfLastLink(controls, settings, files);
}

MemoryUsage memoryOfLastLink(const ControlSet& controls, const Settings& settings, Files& files)
{
    const std::string listFile =
        controls["Linklist"].checked() ? controls["Linklistfile"].text() : std::string();
    MemoryUsage usage = readMemoryUsage(files, settings.compSource, listFile);
    if (listFile.empty())
        usage.reason = "the linker writes no list file: turn on its list file in the linker options";
    compareWithPrevious(usage, files, previousFiguresPath(settings.compSource, settings.project));
    return usage;
}

int definitionLine(const std::vector<std::string>& lines, const std::string& symbol)
{
    int named = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t at = wordAt(line, symbol);
        if (at == std::string::npos)
            continue;
        const int number = static_cast<int>(i) + 1;
        named = named ? named : number;
        // A definition stands at file scope, at the line's start; a declaration ends in ';'
        // before any body and says extern.
        const std::string text = winpath::trim(line);
        if (line.empty() || std::isspace(static_cast<unsigned char>(line[0])) || text[0] == '#' ||
            text.rfind("//", 0) == 0 || text.rfind("/*", 0) == 0 || text.rfind("extern", 0) == 0)
            continue;
        std::size_t after = at + symbol.size();
        while (after < line.size() && line[after] == ' ')
            ++after;
        const bool call = after < line.size() && line[after] == '(';
        const bool prototype = call && text.back() == ';';
        if (!prototype)
            return number;
    }
    return named;
}

MemoryWatch::MemoryWatch(ControlSet& controls, Files& files, const Settings& settings, BuildOutput& output,
                         EditorWindows& editors)
    : m_controls(controls), m_files(files), m_settings(settings), m_output(output), m_editors(editors)
{
    m_controls[MenuItem].onActivate([this](const Sender&) { setVisible(!visible()); });
    m_subscription = m_output.subscribe([this](BuildOutput::Change) { buildChanged(); });
}

MemoryWatch::~MemoryWatch()
{
    m_output.unsubscribe(m_subscription);
}

std::string MemoryWatch::statusText() const
{
    if (!m_usage)
        return "Build the project (Build All) to see how full its memory is.";
    if (!m_usage->available)
        return "No memory data: " + m_usage->reason + ".";
    return m_usage->target + " linked by " + m_usage->commandFile;
}

bool MemoryWatch::visible() const
{
    return m_controls[MenuItem].checked();
}

void MemoryWatch::setVisible(bool on)
{
    m_controls[MenuItem].setChecked(on);
}

void MemoryWatch::buildChanged()
{
    const bool ended = m_output.state() == BuildOutput::State::Ended;
    if (!ended) {
        m_seenEnd = false;
        return;
    }
    if (m_seenEnd)
        return;
    m_seenEnd = true;
    if (auto usage = memoryAfterBuild(m_output, m_controls, m_settings, m_files)) {
        m_usage = std::move(usage);
        if (onChanged)
            onChanged();
    }
}

std::string MemoryWatch::openSymbol(const ListedSymbol& symbol)
{
    const std::string* source = nullptr;
    for (const std::string& entry : m_controls["ProjectListBox"].entries()) {
        const std::string name = winpath::fileName(entry);
        if (winpath::equalsNoCase(winpath::withoutExtension(name), symbol.module) &&
            !winpath::equalsNoCase(winpath::extension(name), ".h")) {
            source = &entry;
            break;
        }
    }
    if (!source)
        return "The module " + symbol.module + " is no source of the project.";
    const std::string file = *source; // the list may change while the editor opens
    const auto lines = m_files.readLines(file);
    if (!lines)
        return file + " cannot be read: nothing was opened.";
    const int line = std::max(1, definitionLine(*lines, symbol.name));
    if (!m_editors.showOpen(file, line))
        m_editors.create().OpenAtLine(file, line);
    return {};
}
