#include "platform/qt/qt_shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cctype>
#include <iostream>

#include "platform/paths/drive_map.h"
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
                                     const std::string& workingFolder, bool shown) const
{
    Command cmd;
    if (isAddress(file)) {
        cmd.document = QUrl(toQ(file));
        return cmd;
    }
    const auto hostFile = m_map.toHost(file);
    if (!hostFile)
        return cmd;
    if (!winpath::trim(workingFolder).empty())
        if (const auto wd = m_map.toHost(workingFolder))
            cmd.workingFolder = hostPathToQ(*wd);
    const QString path = hostPathToQ(*hostFile);

    if (endsWithNoCase(file, ".bat") || endsWithNoCase(file, ".cmd")) {
        const QString runner = QDir(QCoreApplication::applicationDirPath()).filePath("tarnel-batch");
        QStringList args{path};
        args << QProcess::splitCommand(hostPathToQ(parameters));
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
    if (endsWithNoCase(file, ".exe") || endsWithNoCase(file, ".com")) {
        // Wine maps the Windows paths among the parameters itself.
        const QString wine = QStandardPaths::findExecutable("wine");
        if (!wine.isEmpty()) {
            cmd.program = wine;
            cmd.arguments = QStringList{path} << QProcess::splitCommand(hostPathToQ(parameters));
            return cmd;
        }
    }
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        cmd.program = path;
        cmd.arguments = hostArguments(parameters);
        return cmd;
    }
    cmd.document = QUrl::fromLocalFile(path);
    return cmd;
}

void QtShell::open(const std::string& file, const std::string& parameters, const std::string& workingFolder,
                   bool shown)
{
    const Command cmd = commandFor(file, parameters, workingFolder, shown);
    // The user is never told of a failed start; standard error is, for whoever looks.
    bool started = false;
    if (!cmd.program.isEmpty())
        started = QProcess::startDetached(cmd.program, cmd.arguments, cmd.workingFolder);
    else if (!cmd.document.isEmpty())
        started = QDesktopServices::openUrl(cmd.document);
    if (!started)
        std::cerr << "tarnel: could not open " << file
                  << (cmd.document.isEmpty() ? "" : " (no program of the desktop takes it)") << std::endl;
}
