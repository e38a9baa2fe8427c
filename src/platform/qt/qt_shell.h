#pragma once
// Starts programs, batch files, documents and addresses as the Windows shell would, on a
// POSIX desktop: batch files through tarnel-batch, Windows programs through wine.
#include <QString>
#include <QStringList>
#include <QUrl>

#include "platform/host/shell.h"

class DriveMap;
struct TranscriptRecord;

class QtShell : public Shell
{
public:
    explicit QtShell(const DriveMap& map);

    void open(const std::string& file, const std::string& parameters, const std::string& workingFolder,
              bool shown) override;

    // The next open() keeps a transcript of the run in this host file: a batch file or a program
    // runs through tarnel-batch, which writes it; a start that fails or hands a document to the
    // desktop writes it here. Any next open() uses the request up.
    void transcribeNext(const QString& hostFile) { m_nextTranscript = hostFile; }

    // The command that open() starts; empty program when it hands the file to the desktop.
    struct Command {
        QString program;
        QStringList arguments;
        QString workingFolder;
        QUrl document; // set instead of program for documents and addresses
        QString failure; // why nothing can be started, when neither is set
    };
    Command commandFor(const std::string& file, const std::string& parameters,
                       const std::string& workingFolder, bool shown, const QString& transcript = {}) const;

    static bool isAddress(const std::string& file);
    // A native program with no window of its own: shown, it runs in a terminal.
    static bool isConsoleProgram(const QString& hostPath);

private:
    QStringList hostArguments(const std::string& parameters) const;
    static QStringList inTerminal(const QString& program, const QStringList& arguments,
                                  const QString& workingFolder, QString& terminal);
    Command programCommand(const std::string& file, const QString& path, const std::string& parameters,
                           bool shown, const QString& transcript, Command cmd) const;
    static QString runner();
    // The transcript of a run that never reached the runner: what Tarnel can say about it.
    static void writeTranscript(const QString& path, const std::string& command, const TranscriptRecord& said,
                                int status);

    const DriveMap& m_map;
    QString m_nextTranscript;
};
