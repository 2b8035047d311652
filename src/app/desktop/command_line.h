#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The editor's command line: stepwright [--help] [--version] [FILE].
namespace sw {

struct CommandLine
{
    // Set when the program ends at once with this status: the help or the version was
    // printed (0), or the usage, for a command line it cannot follow (2).
    std::optional<int> exitStatus;
    // The script file to open after start-up, as an absolute path; empty for none.
    QString file;
    // The same as the bytes the system names it by, which need not be text.
    QByteArray nativeFile;
};

// Reads the arguments (the program's name first) before the window system starts: Qt's own
// options (-platform offscreen ...) are still among them and pass, so help, version and a bad
// command line need no display. Help and version go to standard output (status 2 when it cannot
// take them), the usage for a bad command line to standard error. argc and argv, when given,
// hold the same arguments as the bytes they came as, by which the file is opened.
CommandLine readCommandLine(const QStringList& arguments, int argc = 0, char** argv = nullptr);

// The same for the program's own argc and argv, which stay as they are for the application.
CommandLine readCommandLine(int argc, char** argv);

} // namespace sw
