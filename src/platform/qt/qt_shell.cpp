#include "platform/qt/qt_shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cctype>
#include <cstdio>
#include <utility>

#include "platform/paths/drive_map.h"
#include "platform/paths/transcript.h"
#include "platform/paths/win_path.h"
#include "platform/qt/qt_text.h"

namespace
{

struct Terminal {
    const char* program;
    const char* beforeCommand; // the argument that introduces the command line
};

// Tried in this order; the first one on PATH runs a shown batch file.
const Terminal Terminals[] = {
    {"x-terminal-emulator", "-e"},
    {"xterm", "-e"},
    {"konsole", "-e"},
    {"gnome-terminal", "--"},
};

bool endsWithNoCase(const std::string& text, const char* suffix)
{
    const std::string s(suffix);
    return text.size() >= s.size() && winpath::equalsNoCase(text.substr(text.size() - s.size()), s);
}

bool isWindowsAbsolute(const QString& arg)
{
    return arg.size() >= 3 && arg.at(0).isLetter() && arg.at(0).unicode() < 128 && arg.at(1) == ':' &&
           (arg.at(2) == '\\' || arg.at(2) == '/');
}

} // namespace

QtShell::QtShell(const DriveMap& map) : m_map(map) {}

bool QtShell::isAddress(const std::string& file)
{
    // A scheme of two letters or more ("http:", "mailto:"); one letter is a drive.
    const auto colon = file.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(file[i]);
        if (!(std::isalnum(c) || c == '+' || c == '-' || c == '.') || (i == 0 && !std::isalpha(c)))
            return false;
    }
    return true;
}

QStringList QtShell::hostArguments(const std::string& parameters) const
{
    // Windows paths among the parameters mean nothing to a native program: map them.
    QStringList args = QProcess::splitCommand(hostPathToQ(parameters));
    for (QString& arg : args)
        if (isWindowsAbsolute(arg))
            if (const auto h = m_map.toHost(hostPathFromQ(arg)))
                arg = hostPathToQ(*h);
    return args;
}

QStringList QtShell::inTerminal(const QString& program, const QStringList& arguments,
                                const QString& workingFolder, QString& terminal)
{
    for (const Terminal& t : Terminals) {
        terminal = QStandardPaths::findExecutable(QString::fromLatin1(t.program));
        if (terminal.isEmpty())
            continue;
        QStringList args;
        if (QFileInfo(terminal).fileName() == "gnome-terminal" && !workingFolder.isEmpty())
            args << QStringLiteral("--working-directory=%1").arg(workingFolder);
        args << QString::fromLatin1(t.beforeCommand) << program << arguments;
        return args;
    }
    terminal.clear();
    return {};
}

QtShell::Command QtShell::commandFor(const std::string& file, const std::string& parameters,
                                     const std::string& workingFolder, bool shown, const QString& transcript) const
{
    Command cmd;
    if (isAddress(file)) {
        cmd.document = QUrl(toQ(file));
        return cmd;
    }
    if (winpath::trim(file).empty()) {
        cmd.failure = QStringLiteral("no program named");
        return cmd;
    }
    const auto hostFile = m_map.toHost(file);
    if (!hostFile) {
        cmd.failure = QStringLiteral("no such drive");
        return cmd;
    }
    if (!winpath::trim(workingFolder).empty())
        if (const auto wd = m_map.toHost(workingFolder))
            cmd.workingFolder = hostPathToQ(*wd);
    const QString path = hostPathToQ(*hostFile);

    if (endsWithNoCase(file, ".bat") || endsWithNoCase(file, ".cmd")) {
        const QString runner = QtShell::runner();
        QStringList args;
        if (!transcript.isEmpty())
            args << QStringLiteral("--transcript=") + transcript;
        args << path << QProcess::splitCommand(hostPathToQ(parameters));
        QString terminal;
        const QStringList termArgs =
            shown ? inTerminal(runner, args, cmd.workingFolder, terminal) : QStringList();
        if (!terminal.isEmpty()) {
            cmd.program = terminal;
            cmd.arguments = termArgs;
        } else {
            cmd.program = runner;
            cmd.arguments = args;
        }
        return cmd;
    }
    return programCommand(file, path, parameters, shown, transcript, cmd);
}

QString QtShell::runner()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("tarnel-batch");
}

QtShell::Command QtShell::programCommand(const std::string& file, const QString& path,
                                         const std::string& parameters, bool shown, const QString& transcript,
                                         Command cmd) const
{
    // Kept in a transcript, a program runs through the runner, which writes it.
    auto transcribed = [&transcript](Command& c) {
        if (transcript.isEmpty())
            return;
        c.arguments = QStringList{QStringLiteral("--transcript=") + transcript, QStringLiteral("--run"), c.program}
                      << c.arguments;
        c.program = runner();
    };
    QFileInfo info(path);
    const bool windowsName = endsWithNoCase(file, ".exe") || endsWithNoCase(file, ".com");
    // The stand-in tools are native programs under the Windows program's name without ".exe".
    if (windowsName && !info.exists()) {
        const QFileInfo native(path.chopped(4));
        if (native.isFile() && native.isExecutable())
            info = native;
    }
    if (!info.exists()) {
        cmd.failure = QStringLiteral("no such file");
        return cmd;
    }
    if (!info.isFile()) {
        cmd.document = QUrl::fromLocalFile(info.filePath());
        return cmd;
    }
    const QByteArray head = [&] {
        QFile f(info.filePath());
        return f.open(QIODevice::ReadOnly) ? f.read(4) : QByteArray();
    }();
    if (head.startsWith("MZ")) {
        // Wine maps the Windows paths among the parameters itself.
        const QString wine = QStandardPaths::findExecutable("wine");
        if (wine.isEmpty()) {
            cmd.failure = QStringLiteral("a Windows program, and wine is not installed");
            return cmd;
        }
        cmd.program = wine;
        cmd.arguments = QStringList{info.filePath()} << QProcess::splitCommand(hostPathToQ(parameters));
        transcribed(cmd);
        return cmd;
    }
    const bool looksLikeProgram = head.startsWith("\x7f" "ELF") || head.startsWith("#!");
    if (!info.isExecutable()) {
        if (looksLikeProgram || windowsName) {
            cmd.failure = QStringLiteral("not an executable program");
            return cmd;
        }
        cmd.document = QUrl::fromLocalFile(info.filePath());
        return cmd;
    }
    cmd.program = info.filePath();
    cmd.arguments = hostArguments(parameters);
    const bool console = shown && isConsoleProgram(cmd.program);
    transcribed(cmd);
    if (console) {
        // The window stays until its last lines have been read, as a run in a terminal does.
        const QStringList held = QStringList{
            QStringLiteral("-c"),
            QStringLiteral("\"$@\"; s=$?; printf '\\n%s ended (exit code %d). Press Enter to close this "
                           "window.' \"$0\" \"$s\"; read r"),
            info.fileName(), cmd.program} << cmd.arguments;
        QString terminal;
        const QStringList termArgs = inTerminal(QStringLiteral("/bin/sh"), held, cmd.workingFolder, terminal);
        if (!terminal.isEmpty()) {
            cmd.program = terminal;
            cmd.arguments = termArgs;
        }
    }
    return cmd;
}

bool QtShell::isConsoleProgram(const QString& hostPath)
{
    QFile f(hostPath);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4 * 1024 * 1024);
    if (!head.startsWith("\x7f" "ELF"))
        return false;
    // A program linked to a windowing library opens its own window.
    static const char* const windowing[] = {"libX11.so", "libxcb.so", "libwayland-client.so", "libQt5Gui.so",
                                            "libQt6Gui.so", "libgtk-", "libgdk-", "libSDL2", "libglfw"};
    for (const char* lib : windowing)
        if (head.contains(lib))
            return false;
    return true;
}

void QtShell::open(const std::string& file, const std::string& parameters, const std::string& workingFolder,
                   bool shown)
{
    const QString transcript = std::exchange(m_nextTranscript, QString());
    const std::string command = parameters.empty() ? file : file + " " + parameters;
    // The start's result is not the caller's business, but a start that fails says why, and a
    // run that is followed hears it too.
    auto report = [&](const QString& reason) {
        const std::string text = "Tarnel: cannot start " + file + ": " + reason.toLocal8Bit().constData() + "\n";
        std::fputs(text.c_str(), stderr);
        writeTranscript(transcript, command, {TranscriptRecord::Kind::Errors, text, 0, 0}, 127);
    };
    const Command cmd = commandFor(file, parameters, workingFolder, shown, transcript);
    if (!cmd.program.isEmpty()) {
        QProcess process;
        process.setProgram(cmd.program);
        process.setArguments(cmd.arguments);
        process.setWorkingDirectory(cmd.workingFolder);
        if (!process.startDetached())
            report(process.errorString());
    } else if (!cmd.document.isEmpty()) {
        if (!QDesktopServices::openUrl(cmd.document))
            report(QStringLiteral("no program opens it"));
        else
            writeTranscript(transcript, command,
                            {TranscriptRecord::Kind::Output,
                             "Handed to the desktop, which opens it with a program of its own.\n", 0, 0},
                            0);
    } else {
        report(cmd.failure);
    }
}

void QtShell::writeTranscript(const QString& path, const std::string& command, const TranscriptRecord& said,
                              int status)
{
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    for (const TranscriptRecord& r : {TranscriptRecord{TranscriptRecord::Kind::ProgramStarted, command, 0, 0}, said,
                                      TranscriptRecord{TranscriptRecord::Kind::Ended, {}, status, 0}}) {
        const std::string bytes = encodeTranscriptRecord(r);
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}
