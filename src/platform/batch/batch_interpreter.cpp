#include "platform/batch/batch_interpreter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/batch/child_process.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace fs = std::filesystem;

namespace {

constexpr int MaxCallDepth = 200;
constexpr int NotFoundLevel = 9009;
const char* const PathNotFound = "The system cannot find the path specified.";

void writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

void closeAll(std::vector<int>& fds)
{
    for (int fd : fds)
        ::close(fd);
    fds.clear();
}

std::string trimLeadingBlanks(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return std::string(s.substr(i));
}

bool isNulDevice(std::string_view target)
{
    std::string name = winpath::withoutExtension(winpath::fileName(target));
    return winpath::equalsNoCase(name, "nul") || winpath::equalsNoCase(target, "nul:");
}

}  // namespace

BatchInterpreter::BatchInterpreter(DriveMap map, BatchEnvironment environment, std::string currentFolder)
    : m_resolver(std::move(map)),
      m_lookup(m_resolver, ProgramLookup::findOnHostPath("wine", environment.get("PATH").value_or(""))),
      m_env(std::move(environment)),
      m_hostPath(m_env.get("PATH").value_or("")),
      m_cwd(std::move(currentFolder))
{
    m_env.set("PATH", m_resolver.windowsPathValue(m_hostPath));
}

int BatchInterpreter::run(const std::string& file, const std::vector<std::string>& params,
                          BatchStreams streams)
{
    m_abort = false;
    runBatch(file, params, streams, 0);
    return m_errorLevel;
}

void BatchInterpreter::runBatch(std::string file, std::vector<std::string> params, BatchStreams streams,
                                int depth)
{
    std::vector<int> owned;  // redirections of chained batch files, open until the chain ends
    for (;;) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            fail(streams, "The batch file cannot be found.", 1);
            break;
        }
        std::ostringstream bytes;
        bytes << in.rdbuf();
        Frame frame{params, streams, depth, std::nullopt, {}, {}, {}};
        for (const std::string& line : splitLines(bytes.str())) {
            executeLine(line, frame);
            if (m_abort || frame.chainFile)
                break;
        }
        if (m_abort || !frame.chainFile)
            break;
        file = *frame.chainFile;
        params = frame.chainParams;
        streams = frame.chainStreams;
        owned.insert(owned.end(), frame.chainFds.begin(), frame.chainFds.end());
    }
    closeAll(owned);
}

void BatchInterpreter::executeLine(const std::string& line, Frame& frame)
{
    std::size_t i = 0;
    bool quiet = false;
    while (i < line.size() && (isBlank(line[i]) || line[i] == '@')) {
        quiet = quiet || line[i] == '@';
        ++i;
    }
    if (i == line.size() || line[i] == ':')
        return;
    const std::string text = m_env.expand(std::string_view(line).substr(i), frame.params, m_errorLevel);
    if (m_echo && !quiet)
        writeAll(frame.streams.out, "\n" + prompt() + text + "\n");
    executeCommand(text, frame);
}

void BatchInterpreter::executeCommand(const std::string& text, Frame& frame)
{
    // REM takes its line as it stands: nothing in it is a redirection.
    if (winpath::equalsNoCase(splitCommandWord(text).name, "REM"))
        return;
    const CommandLine line = CommandLine::parse(text);
    std::vector<int> opened;
    auto streams = openRedirections(line.redirections, frame.streams, opened, frame.streams);
    if (streams)
        dispatch(line.text, *streams, frame, false);
    if (frame.chainFile)
        frame.chainFds.insert(frame.chainFds.end(), opened.begin(), opened.end());
    else
        closeAll(opened);
}

void BatchInterpreter::dispatch(const std::string& text, const BatchStreams& streams, Frame& frame,
                                bool viaCall)
{
    const CommandWord word = splitCommandWord(text);
    if (word.word.empty())
        return;
    const std::string name = winpath::upper(word.name);
    if (name == "ECHO")
        echoCommand(word, streams);
    else if (name == "REM")
        return;
    else if (name == "SET")
        setCommand(word.rest, streams);
    else if (name == "PATH")
        pathCommand(word.rest, streams);
    else if (name == "CD" || name == "CHDIR")
        cdCommand(word.rest, streams);
    else if (name == "PAUSE")
        pauseCommand(streams);
    else if (name == "CALL")
        dispatch(trimLeadingBlanks(word.rest), streams, frame, true);
    else
        runProgram(word, streams, frame, viaCall);
}

namespace {

// The program and its arguments as the line gave them, without the blanks a redirection left.
std::string commandText(const CommandWord& word)
{
    std::string text = word.word + word.tail;
    while (!text.empty() && isBlank(text.back()))
        text.pop_back();
    return text;
}

}  // namespace

void BatchInterpreter::runProgram(const CommandWord& word, const BatchStreams& streams, Frame& frame,
                                  bool viaCall)
{
    const auto found = m_lookup.find(word.word, m_cwd, m_env.get("PATH").value_or(""));
    if (!found) {
        if (onProgramStart)
            onProgramStart(commandText(word));
        fail(streams,
             "'" + word.word + "' is not recognized as an internal or external command,\n"
                 "operable program or batch file.",
             NotFoundLevel);
        if (onProgramEnd)
            onProgramEnd(word.word, m_errorLevel);
        return;
    }
    std::vector<std::string> args = splitArguments(word.tail);
    if (found->kind == FoundProgram::Kind::Batch) {
        args.insert(args.begin(), word.word);
        if (!viaCall) {
            frame.chainFile = found->hostPath;
            frame.chainParams = args;
            frame.chainStreams = streams;
        } else if (frame.depth + 1 >= MaxCallDepth) {
            fail(streams, "Batch recursion exceeds stack limits.", 1);
            m_abort = true;
        } else {
            runBatch(found->hostPath, args, streams, frame.depth + 1);
        }
        return;
    }
    if (onProgramStart)
        onProgramStart(commandText(word));
    ChildProcess child;
    child.program = found->hostPath;
    child.argv = {found->hostPath};
    if (found->kind == FoundProgram::Kind::Windows) {
        child.program = m_lookup.wine();
        child.argv = {"wine", found->hostPath};
    }
    child.argv.insert(child.argv.end(), args.begin(), args.end());
    child.environment = childEnvironment();
    child.folder = m_cwd;
    child.handles[0] = streams.in;
    child.handles[1] = streams.out;
    child.handles[2] = streams.err;
    const int status = child.run();
    if (status < 0)
        fail(streams, "The system cannot execute the specified program.", NotFoundLevel);
    else
        m_errorLevel = status;
    if (onProgramEnd)
        onProgramEnd(word.word, m_errorLevel);
}

std::optional<BatchStreams> BatchInterpreter::openRedirections(const std::vector<Redirection>& redirections,
                                                               BatchStreams streams, std::vector<int>& opened,
                                                               const BatchStreams& messages)
{
    for (const Redirection& r : redirections) {
        int* slot = r.handle == 0 ? &streams.in : r.handle == 1 ? &streams.out : r.handle == 2 ? &streams.err
                                                                                              : nullptr;
        if (r.target.empty() || r.target == "&") {
            fail(messages, "The syntax of the command is incorrect.", 1);
            return std::nullopt;
        }
        if (!slot)
            continue;
        if (r.target[0] == '&') {
            const char h = r.target[1];
            if (h == '0' || h == '1' || h == '2')
                *slot = h == '0' ? streams.in : h == '1' ? streams.out : streams.err;
            continue;
        }
        std::string host = "/dev/null";
        if (!isNulDevice(r.target)) {
            auto mapped = m_resolver.toHost(m_cwd, r.target);
            if (!mapped) {
                fail(messages, PathNotFound, 1);
                return std::nullopt;
            }
            host = *mapped;
        }
        const int flags = r.handle == 0 ? O_RDONLY : O_WRONLY | O_CREAT | (r.append ? O_APPEND : O_TRUNC);
        const int fd = ::open(host.c_str(), flags | O_CLOEXEC, 0666);
        if (fd < 0) {
            const bool missing = errno == ENOENT || errno == ENOTDIR;
            fail(messages,
                 !missing ? "Access is denied."
                 : r.handle == 0 ? "The system cannot find the file specified."
                                 : PathNotFound,
                 1);
            return std::nullopt;
        }
        opened.push_back(fd);
        *slot = fd;
    }
    return streams;
}

void BatchInterpreter::echoCommand(const CommandWord& word, const BatchStreams& streams)
{
    const std::string& rest = word.rest;
    if (trimLeadingBlanks(rest).empty()) {
        writeAll(streams.out, m_echo ? "ECHO is on.\n" : "ECHO is off.\n");
        return;
    }
    // One delimiter after ECHO is dropped; "ECHO." thus prints an empty line.
    const std::string text = rest.substr(1);
    if (isBlank(rest[0])) {
        const std::string state = winpath::trim(text);
        if (winpath::equalsNoCase(state, "ON") || winpath::equalsNoCase(state, "OFF")) {
            m_echo = winpath::equalsNoCase(state, "ON");
            return;
        }
    }
    writeAll(streams.out, text + "\n");
}

void BatchInterpreter::setCommand(const std::string& rest, const BatchStreams& streams)
{
    std::string arg = trimLeadingBlanks(rest);
    if (!arg.empty() && arg[0] == '"') {
        const std::size_t close = arg.rfind('"');
        arg = close > 0 ? arg.substr(1, close - 1) : arg.substr(1);
    }
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos) {
        std::string listing;
        for (const auto& [name, value] : m_env.entries())
            if (winpath::upper(name).rfind(winpath::upper(arg), 0) == 0)
                listing += name + "=" + value + "\n";
        if (listing.empty())
            fail(streams, "Environment variable " + arg + " not defined", 1);
        writeAll(streams.out, listing);
        return;
    }
    if (eq == 0) {
        fail(streams, "The syntax of the command is incorrect.", 1);
        return;
    }
    m_env.set(arg.substr(0, eq), arg.substr(eq + 1));
}

void BatchInterpreter::pathCommand(const std::string& rest, const BatchStreams& streams)
{
    std::string arg = winpath::trim(rest);
    if (!arg.empty() && arg[0] == '=')
        arg = winpath::trim(arg.substr(1));
    if (arg.empty()) {
        const auto value = m_env.get("PATH");
        writeAll(streams.out, value ? "PATH=" + *value + "\n" : "No Path\n");
        return;
    }
    if (arg == ";")
        m_env.remove("PATH");
    else
        m_env.set("PATH", arg);
}

void BatchInterpreter::cdCommand(const std::string& rest, const BatchStreams& streams)
{
    std::string arg;
    for (char c : winpath::trim(rest))
        if (c != '"')
            arg += c;
    if (arg.size() >= 2 && arg[0] == '/' && (arg[1] == 'd' || arg[1] == 'D') &&
        (arg.size() == 2 || isBlank(arg[2])))
        arg = winpath::trim(arg.substr(2));
    if (arg.empty()) {
        writeAll(streams.out, m_resolver.toWindows(m_cwd) + "\n");
        return;
    }
    const auto host = m_resolver.toHost(m_cwd, arg);
    std::error_code ec;
    if (!host || !fs::is_directory(*host, ec)) {
        fail(streams, PathNotFound, 1);
        return;
    }
    m_cwd = *host;
}

void BatchInterpreter::pauseCommand(const BatchStreams& streams)
{
    writeAll(streams.out, "Press any key to continue . . .");
    if (!::isatty(streams.in)) {
        writeAll(streams.out, "\n");
        return;
    }
    char c = 0;
    ssize_t n = 0;
    while ((n = ::read(streams.in, &c, 1)) == 1 && c != '\n') {
    }
    if (n == 0)
        writeAll(streams.out, "\n");
}

std::string BatchInterpreter::childPath() const
{
    std::vector<std::string> folders;
    auto add = [&folders](const std::string& folder) {
        std::error_code ec;
        const std::string real = fs::weakly_canonical(folder, ec).string();
        const std::string& use = ec ? folder : real;
        for (const std::string& f : folders)
            if (f == use)
                return;
        folders.push_back(use);
    };
    for (const std::string& folder : m_resolver.hostEntries(m_cwd, m_env.get("PATH").value_or("")))
        add(folder);
    std::size_t start = 0;
    while (start <= m_hostPath.size()) {
        std::size_t end = m_hostPath.find(':', start);
        if (end == std::string::npos)
            end = m_hostPath.size();
        if (end > start)
            add(m_hostPath.substr(start, end - start));
        start = end + 1;
    }
    std::string out;
    for (const std::string& f : folders)
        out += (out.empty() ? "" : ":") + f;
    return out;
}

std::vector<std::string> BatchInterpreter::childEnvironment() const
{
    std::vector<std::string> out;
    for (const auto& [name, value] : m_env.entries())
        if (!winpath::equalsNoCase(name, "PATH"))
            out.push_back(name + "=" + value);
    out.push_back("PATH=" + childPath());
    return out;
}

std::string BatchInterpreter::prompt() const
{
    return m_resolver.toWindows(m_cwd) + ">";
}

void BatchInterpreter::fail(const BatchStreams& streams, const std::string& message, int level)
{
    writeAll(streams.err, message + "\n");
    m_errorLevel = level;
}
