#include "app/command_line.h"

#include "version/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr int AnsweredStatus = 0;
constexpr int UsageStatus = 2;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments, Parsing parsing)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Composes script files (.scp) for the KT615 device programmer."_s);
    // Our own help and version options: the built-in ones add --help-all and exit by
    // themselves, and an unknown option must end with status 2.
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Displays this help."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Displays the version."_s);
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(u"FILE"_s, u"The script file to open after start-up."_s,
                                 u"[FILE]"_s);

    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(help)) {
        print(stdout, parser.helpText());
        return {AnsweredStatus, {}};
    }
    if (parsed && parser.isSet(version)) {
        print(stdout, QCoreApplication::applicationName() + u' ' + versionText() + u'\n');
        return {AnsweredStatus, {}};
    }
    if (parsing == Parsing::AnswersOnly)
        return {};
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1) {
        const QString reason = parsed ? u"Only one FILE can be opened."_s : parser.errorText();
        print(stderr, reason + u"\n\n"_s + parser.helpText());
        return {UsageStatus, {}};
    }
    // Absolute, so the folder is remembered and Save writes where the file was found even
    // if the working folder changes.
    return {std::nullopt, files.isEmpty() ? QString() : QFileInfo(files[0]).absoluteFilePath()};
}

std::optional<int> answerWithoutDisplay(int& argc, char** argv)
{
    const QCoreApplication probe(argc, argv);
    return readCommandLine(QCoreApplication::arguments(), Parsing::AnswersOnly).exitStatus;
}

} // namespace sw
