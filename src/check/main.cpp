// stepwright-check [--print] FILE...
// Reads each file as the editor's Open does. A file that loads prints nothing; one that does
// not prints one line on standard error. With --print, each file that loads is written to
// standard output as the editor would save it: renumbered, CR LF, Windows-1252.
// Exit status: 0 all loaded, 1 a format error, 2 a file that cannot be read, a failed write to
// standard output, or a usage error.

#include "files/script_file.h"
#include "files/size_limit_signal.h"
#include "script/numbering.h"
#include "script/script_document.h"
#include "version/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
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

// A name as it can stand in one line: control characters, and the backslash that introduces
// their escapes, written as escapes.
QString printable(const QString& name)
{
    QString out;
    for (const QChar c : name) {
        if (c == u'\\')
            out += u"\\\\"_s;
        else if (c == u'\n')
            out += u"\\n"_s;
        else if (c == u'\t')
            out += u"\\t"_s;
        else if (c.category() == QChar::Other_Control)
            out += u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

// Writes all of bytes to standard output; false, with errno set, when it cannot.
bool printBytes(const QByteArray& bytes)
{
    errno = 0;
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
           static_cast<std::size_t>(bytes.size());
}

// What the files are read with: one document for all, as a new one for each file would cost
// more than many a file's lines. Without printing no document is needed: the checker keeps
// no lines, and the steps of a file that loads always take their numbers.
struct Readers
{
    sw::ScriptDocument document;
    sw::ScriptFileChecker checker;
};

// Reads one file, named by the bytes it was given as; prints its failure, or with print its
// bytes. False when standard output takes no more.
bool checkFile(Readers& readers, const QByteArray& nativePath, bool print, int& status)
{
    sw::ScriptDocument& document = readers.document;
    const sw::ReadResult read =
        print ? sw::Read_Script_File(document, nativePath) : readers.checker.check(nativePath);
    const auto name = [&] { return printable(QFile::decodeName(nativePath)); };
    int fileStatus = Loaded;
    if (read.faultLine > 0) {
        printError(
            u"%1:%2: %3 (%4)"_s.arg(name()).arg(read.faultLine).arg(read.error, read.faultReason));
        fileStatus = FormatError;
    } else if (!read.error.isEmpty()) {
        printError(name() + u": "_s + read.error);
        fileStatus = Unreadable;
    } else if (!print) {
        return true;
    } else if (const sw::ErrorText error = sw::Number_All_Steps(document.store());
               !error.isEmpty()) {
        printError(name() + u": "_s + error);
        fileStatus = FormatError;
    }
    status = std::max(status, fileStatus);
    return fileStatus != Loaded || printBytes(sw::serialiseScript(document.store()).bytes);
}

// The bytes each file name was given as: Qt decodes the arguments as text, which changes a
// name that is not valid in the locale's encoding. Options are plain ASCII, so matching the
// decoded arguments in order finds each name's own bytes.
QList<QByteArray> nativeNames(const QStringList& names, int argc, char* argv[])
{
    QList<QByteArray> native;
    for (int i = 1; i < argc && native.size() < names.size(); ++i) {
        if (QFile::decodeName(argv[i]) == names[native.size()])
            native << QByteArray(argv[i]);
    }
    return native;
}

} // namespace

int main(int argc, char* argv[])
{
    sw::reportFileSizeLimitAsError();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(sw::versionText());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Reads KT615 Stepwright script files as the editor's Open does and reports those that "
        "would not load.\nExit status: 0 all loaded, 1 a format error, 2 a file that cannot be "
        "read or written, or a usage error."_s);
    const QCommandLineOption printOption(
        u"print"_s, u"Write each file that loads to standard output as the editor saves it."_s);
    parser.addOption(printOption);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(u"FILE"_s, u"A script file (.scp) to check."_s, u"FILE..."_s);

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(helpOption))
        parser.showHelp(0);
    if (parsed && parser.isSet(versionOption))
        parser.showVersion();
    const QStringList names = parser.positionalArguments();
    if (!parsed || names.isEmpty()) {
        if (!parsed)
            printError(parser.errorText());
        printError(parser.helpText().trimmed());
        return Unreadable;
    }

    int status = Loaded;
    Readers readers;
    for (const QByteArray& name : nativeNames(names, argc, argv)) {
        if (!checkFile(readers, name, parser.isSet(printOption), status) ||
            std::fflush(stdout) != 0) {
            printError(u"stepwright-check: cannot write to standard output: "_s +
                       qt_error_string(errno));
            return Unreadable;
        }
    }
    return status;
}
