// stepwright-check [--print FILE | --renumber FILE... | FILE...]
// Reads each file as the editor's Open does. A file that loads prints nothing; one that does
// not prints one line on standard error. With --print, the file, if it loads, is written to
// standard output as the editor would save it: renumbered, CR LF, Windows-1252. With
// --renumber, each file that loads is saved so in its place, as the editor's Save writes it.
// Exit status: 0 all loaded, 1 a format error, 2 a file that cannot be read or written, a
// failed write to standard output, or a usage error.

#include "files/native_arguments.h"
#include "files/script_file.h"
#include "files/size_limit_signal.h"
#include "files/standard_streams.h"
#include "script/numbering.h"
#include "script/script_document.h"
#include "version/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

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

// On Windows a backslash separates folders and stands in no name; elsewhere it may.
#ifdef Q_OS_WIN
constexpr bool BackslashSeparates = true;
#else
constexpr bool BackslashSeparates = false;
#endif

// A name as it can stand in one line and as no other name stands: control characters, the
// characters that turn or break a line (U+202E, U+2028), and the backslash that introduces
// their escapes, written as escapes; bytes that are no UTF-8 as \xNN.
QString printable(const QByteArray& name)
{
    QString out;
    for (qsizetype i = 0; i < name.size();) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const qsizetype length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : 4;
        const QByteArray bytes = name.mid(i, length);
        const QString text = QString::fromUtf8(bytes);
        // Anything but a whole, shortest sequence comes back as U+FFFD, which encodes otherwise.
        if (text.toUtf8() != bytes) {
            out += u"\\x%1"_s.arg(lead, 2, 16, QChar(u'0'));
            ++i;
            continue;
        }
        i += length;
        const char32_t c = text.toUcs4().front();
        const QChar::Category category = QChar::category(c);
        if (c == U'\\' && !BackslashSeparates)
            out += u"\\\\"_s;
        else if (c == U'\n')
            out += u"\\n"_s;
        else if (c == U'\t')
            out += u"\\t"_s;
        else if (c < 0x80 && category == QChar::Other_Control)
            out += u"\\x%1"_s.arg(uint(c), 2, 16, QChar(u'0'));
        else if (category == QChar::Other_Control || category == QChar::Other_Format ||
                 category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            out += u"\\u%1"_s.arg(uint(c), 4, 16, QChar(u'0'));
        else
            out += text;
    }
    return out;
}

// What the files are read with: one document for all, as a new one for each file would cost
// more than many a file's lines. Without printing no document is needed: the checker keeps
// no lines, and the steps of a file that loads always take their numbers.
struct Readers
{
    sw::ScriptDocument document;
    sw::ScriptFileChecker checker;
};

// What is done with a file that loads.
enum class Output
{
    None,
    Print,
    Renumber,
};

// Saves the script read from nativePath in its place: the file status, its failure printed.
int renumberInPlace(const sw::ScriptStore& script, const QByteArray& nativePath,
                    const QString& name)
{
    // The writer takes the name as text; a name that does not come back as its bytes would
    // write another file.
    const QString path = QFile::decodeName(nativePath);
    sw::WriteResult written{u"Its name cannot be written as text"_s, {}};
    if (QFile::encodeName(path) == nativePath)
        written = sw::Write_Script_File(script, path);
    if (!written.notice.isEmpty())
        printError(name + u": "_s + written.notice);
    if (written.error.isEmpty())
        return Loaded;
    printError(name + u": "_s + written.error);
    return Unreadable;
}

// Reads one file, named by the bytes it was given as; prints its failure, or with output its
// bytes or saves it. Empty, or why standard output takes no more.
QString checkFile(Readers& readers, const QByteArray& nativePath, Output output, int& status)
{
    sw::ScriptDocument& document = readers.document;
    // The lines are kept only for a file that is written out.
    const bool keepLines = output != Output::None;
    const sw::ReadResult read =
        keepLines ? sw::Read_Script_File(document, nativePath) : readers.checker.check(nativePath);
    const auto name = [&] { return printable(nativePath); };
    int fileStatus = Loaded;
    if (read.fault.line > 0) {
        const QString place = sw::faultPlace(read.fault);
        printError(u"%1:%2: %3 (%4)%5"_s.arg(name())
                       .arg(read.fault.line)
                       .arg(read.error, read.fault.reason,
                            place.isEmpty() ? QString() : u" in the "_s + place));
        fileStatus = FormatError;
    } else if (!read.error.isEmpty()) {
        printError(name() + u": "_s + read.error);
        fileStatus = Unreadable;
    } else if (!keepLines) {
        return {};
    } else if (const sw::ErrorText error = sw::Number_All_Steps(document.store());
               !error.isEmpty()) {
        printError(name() + u": "_s + error);
        fileStatus = FormatError;
    } else if (output == Output::Renumber) {
        fileStatus = renumberInPlace(document.store(), nativePath, name());
    }
    status = std::max(status, fileStatus);
    if (fileStatus != Loaded || output != Output::Print)
        return {};
    return sw::writeStandardStream(stdout, sw::serialiseScript(document.store()).bytes);
}

// Standard output that cannot take what was asked for ends the program with status 2.
int cannotWriteOutput(const QString& reason)
{
    sw::tellOutputFailure(u"stepwright-check"_s, reason);
    return Unreadable;
}

} // namespace

int main(int argc, char* argv[])
{
    sw::occupyClosedStandardDescriptors();
    sw::reportFileSizeLimitAsError();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(sw::versionText());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Reads KT615 Stepwright script files as the editor's Open does and reports those that "
        "would not load.\nExit status: 0 all loaded, 1 a format error, 2 a file that cannot be "
        "read or written, or a usage error."_s);
    const QCommandLineOption printOption(
        u"print"_s, u"Write the file, if it loads, to standard output as the editor saves it."_s);
    const QCommandLineOption renumberOption(
        u"renumber"_s,
        u"Save each file that loads in its place, renumbered, as the editor does."_s);
    // Qt's own help option offers --help-all, the options of Qt itself, which this has none of.
    const QCommandLineOption helpOption({u"h"_s, u"help"_s}, u"Display this help."_s);
    parser.addOptions({printOption, renumberOption, helpOption});
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(u"FILE"_s, u"A script file (.scp) to check."_s, u"FILE..."_s);

    const bool parsed = parser.parse(QCoreApplication::arguments());
    // Answered here rather than by the parser, which exits with 0 even when nothing was written.
    const bool help = parsed && parser.isSet(helpOption);
    if (help || (parsed && parser.isSet(versionOption))) {
        const QString text = help ? parser.helpText()
                                  : QCoreApplication::applicationName() + u' ' +
                                        QCoreApplication::applicationVersion() + u'\n';
        const QString failure = sw::writeStandardStream(stdout, text.toLocal8Bit());
        return failure.isEmpty() ? Loaded : cannotWriteOutput(failure);
    }
    const QStringList names = parser.positionalArguments();
    const bool print = parsed && parser.isSet(printOption);
    const bool renumber = parsed && parser.isSet(renumberOption);
    // Two scripts printed one after the other make no script.
    QString misuse = parsed ? QString() : parser.errorText();
    if (print && renumber)
        misuse = u"--print and --renumber cannot be given together."_s;
    else if (print && names.size() > 1)
        misuse = u"--print takes one FILE only."_s;
    if (!misuse.isEmpty() || names.isEmpty()) {
        if (!misuse.isEmpty())
            printError(misuse);
        printError(parser.helpText().trimmed());
        return Unreadable;
    }

    const Output output = print ? Output::Print : renumber ? Output::Renumber : Output::None;
    int status = Loaded;
    Readers readers;
    for (const QByteArray& name : sw::nativeArguments(names, argc, argv)) {
        if (const QString failure = checkFile(readers, name, output, status); !failure.isEmpty())
            return cannotWriteOutput(failure);
    }
    return status;
}
