#pragma once

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
};

// Reads the arguments (the program's name first) before the window system starts: Qt's own
// options (-platform offscreen ...) are still among them and pass, so help, version and a bad
// command line need no display. Help and version go to standard output, the usage for a bad
// command line to standard error.
CommandLine readCommandLine(const QStringList& arguments);

// The same for the program's own argc and argv, which stay as they are for the application.
CommandLine readCommandLine(int argc, char** argv);

} // namespace sw
