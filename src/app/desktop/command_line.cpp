#include "app/desktop/command_line.h"

#include "files/native_arguments.h"
#include "files/standard_streams.h"
#include "version/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr int AnsweredStatus = 0;
constexpr int UsageStatus = 2;

// The options the application itself takes out of the arguments, with and without a value.
constexpr QLatin1StringView QtValueOptions[] = {"platform"_L1,
                                                "platformpluginpath"_L1,
                                                "platformtheme"_L1,
                                                "plugin"_L1,
                                                "qwindowgeometry"_L1,
                                                "geometry"_L1,
                                                "qwindowtitle"_L1,
                                                "title"_L1,
                                                "qwindowicon"_L1,
                                                "icon"_L1,
                                                "session"_L1,
                                                "display"_L1,
                                                "name"_L1,
                                                "visual"_L1,
                                                "style"_L1,
                                                "stylesheet"_L1,
                                                "qmljsdebugger"_L1};
constexpr QLatin1StringView QtFlagOptions[] = {"reverse"_L1, "widgetcount"_L1, "testability"_L1,
                                               "nograb"_L1,  "dograb"_L1,      "sync"_L1};

void addQtOptions(QCommandLineParser& parser)
{
    // Qt's options are words behind a single dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const auto add = [&parser](QLatin1StringView name, const QString& valueName) {
        QCommandLineOption option(QString(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const QLatin1StringView name : QtValueOptions)
        add(name, u"value"_s);
    for (const QLatin1StringView name : QtFlagOptions)
        add(name, {});
}

// The status for an answer printed to stream, which may not take it.
int print(std::FILE* stream, const QString& text, int status)
{
    const QString failure = writeStandardStream(stream, text.toLocal8Bit());
    // A usage that standard error does not take has nowhere else to go.
    if (failure.isEmpty() || stream != stdout)
        return status;
    tellOutputFailure(QCoreApplication::applicationName().toLower(), failure);
    return UsageStatus;
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments, int argc, char** argv)
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
    addQtOptions(parser);

    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(help))
        return {print(stdout, parser.helpText(), AnsweredStatus), {}, {}};
    if (parsed && parser.isSet(version)) {
        const QString text = QCoreApplication::applicationName() + u' ' + versionText() + u'\n';
        return {print(stdout, text, AnsweredStatus), {}, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1) {
        const QString reason = parsed ? u"Only one FILE can be opened."_s : parser.errorText();
        print(stderr, reason + u"\n\n"_s + parser.helpText(), UsageStatus);
        return {UsageStatus, {}, {}};
    }
    if (files.isEmpty())
        return {};
    // Absolute, so the folder is remembered and Save writes where the file was found even
    // if the working folder changes.
    const QList<QByteArray> given = nativeArguments(files, argc, argv);
    QByteArray native = given.isEmpty() ? QFile::encodeName(files[0]) : given[0];
    if (QDir::isRelativePath(QFile::decodeName(native)))
        native = QFile::encodeName(QDir::currentPath()) + '/' + native;
    return {std::nullopt, QFileInfo(files[0]).absoluteFilePath(), native};
}

CommandLine readCommandLine(int argc, char** argv)
{
    // Just long enough to decode the arguments and name the program in the usage; on copies,
    // since it may take out what it handles itself.
    int count = argc;
    std::vector<char*> copies(argv, argv + argc + 1);
    const QCoreApplication probe(count, copies.data());
    return readCommandLine(QCoreApplication::arguments(), argc, argv);
}

} // namespace sw
