// stepwright-check [--print] FILE...
// Reads each file as the editor's Open does. A file that loads prints nothing; one that does
// not prints one line on standard error. With --print, each file that loads is written to
// standard output as the editor would save it: renumbered, CR LF, Windows-1252.
// Exit status: 0 all loaded, 1 a format error, 2 a file that cannot be read or a usage error.

#include "files/script_file.h"
#include "script/numbering.h"
#include "script/script_document.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

enum Status
{
    Loaded = 0,
    FormatError = 1,
    Unreadable = 2,
};

void printError(const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
}

// Reads one file; prints its failure, or with print its bytes.
Status checkFile(const QString& path, bool print)
{
    sw::ScriptDocument document;
    const sw::ReadResult read = sw::Read_Script_File(document, path);
    if (read.faultLine > 0) {
        printError(
            u"%1:%2: %3 (%4)"_s.arg(path).arg(read.faultLine).arg(read.error, read.faultReason));
        return FormatError;
    }
    if (!read.error.isEmpty()) {
        printError(path + u": "_s + read.error);
        return Unreadable;
    }
    if (const sw::ErrorText error = sw::Number_All_Steps(document.store()); !error.isEmpty()) {
        printError(path + u": "_s + error);
        return FormatError;
    }
    if (print) {
        const sw::ScriptBytes out = sw::serialiseScript(document.store());
        std::fwrite(out.bytes.constData(), 1, static_cast<std::size_t>(out.bytes.size()), stdout);
    }
    return Loaded;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList files = QCoreApplication::arguments().mid(1);
    const bool print = files.removeAll(u"--print"_s) > 0;
    const bool unknownOption = std::any_of(files.cbegin(), files.cend(), [](const QString& arg) {
        return arg.startsWith(u'-') && arg != u'-';
    });
    if (files.isEmpty() || unknownOption) {
        printError(u"usage: stepwright-check [--print] FILE..."_s);
        return Unreadable;
    }

    int status = Loaded;
    for (const QString& file : std::as_const(files))
        status = std::max(status, static_cast<int>(checkFile(file, print)));
    std::fflush(stdout);
    return status;
}
