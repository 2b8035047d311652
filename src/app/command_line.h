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

enum class Parsing
{
    // Before the window system starts, Qt's own options (-platform ...) are still in the
    // list: only --help and --version are answered, anything else waits for Complete.
    AnswersOnly,
    Complete,
};

// Reads the arguments (the program's name first). Help and version go to standard output,
// the usage for a bad command line to standard error.
CommandLine readCommandLine(const QStringList& arguments, Parsing parsing = Parsing::Complete);

// --help and --version need no display: answers them before the window system starts, and
// gives the status to end with. Qt's own options are left in argv for the application.
std::optional<int> answerWithoutDisplay(int& argc, char** argv);

} // namespace sw
