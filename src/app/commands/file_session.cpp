#include "app/commands/file_session.h"

#include "app/commands/edit_history.h"
#include "files/file_paths.h"
#include "files/file_stamp.h"
#include "files/recovery_copy.h"
#include "files/script_file.h"
#include "script/numbering.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sw {

using namespace Qt::StringLiterals;

namespace {

constexpr auto ScriptSuffix = "scp"_L1;
constexpr auto ScriptPattern = "*.scp"_L1;
constexpr auto ChangedQuestion = "Script Data Changed.\r\nSave Script File?"_L1;

QString changedOnDiskQuestion(const QString& path)
{
    return u"The file \"%1\" was changed on disk since it was opened or last saved here.\r\n"
           "Overwrite it with this script?"_s.arg(QDir::toNativeSeparators(path));
}

// The question's own dialog proposes the current file, so that saving it takes a single
// confirmation; a script without a file leaves the folder to the platform.
FileRequest questionSaveRequest(const QString& currentFile)
{
    QString folder;
    QString name;
    if (!currentFile.isEmpty()) {
        Get_File_Directory(currentFile, folder);
        Get_File_Name(currentFile, name);
    }
    return {u"Save Script File"_s,
            u"Script File (*.SCP)"_s,
            ScriptPattern,
            name,
            folder,
            FileOption::ConfirmOverwrite | FileOption::PathMustExist,
            ScriptSuffix};
}

FileRequest loadRequest(const QString& folder)
{
    return {u"Load File"_s,
            u"Script File (*.SCP)"_s,
            ScriptPattern,
            {},
            folder,
            FileOption::FileMustExist | FileOption::HideReadOnly,
            {}};
}

FileRequest saveRequest(const QString& folder)
{
    return {u"Save File"_s, u"Script File (*.scp)"_s,
            ScriptPattern,  u"00Script.scp"_s,
            folder,         FileOption::ConfirmOverwrite | FileOption::PathMustExist,
            ScriptSuffix};
}

} // namespace

FileSession::FileSession(ScriptDocument& document, EditHistory& history, UserDialogs& dialogs,
                         AppSettings& settings, std::function<int()> shownFlow, QObject* parent)
    : QObject(parent), m_document(document), m_history(history), m_dialogs(dialogs),
      m_settings(settings), m_shownFlow(std::move(shownFlow))
{}

bool FileSession::mayReplaceScript()
{
    if (m_dialogs.showError(m_document.Harvest_Flow(m_shownFlow())))
        return false;
    return Ask_Save_Changes() == SaveOutcome::Proceed;
}

void FileSession::mnuNew_Click()
{
    m_dialogs.runCommand([this] {
        if (!mayReplaceScript())
            return;
        m_document.New_Script();
        Q_EMIT entryPanelsReset();
        setCurrentFile({});
        m_history.clear();
    });
}

void FileSession::mnuOpen_Click()
{
    m_dialogs.runCommand([this] {
        if (!mayReplaceScript())
            return;
        const std::optional<QString> path =
            m_dialogs.openFileName(loadRequest(m_settings.DefaultFile));
        if (path)
            openScriptFile(*path);
    });
}

void FileSession::openFile(const QString& path, const QByteArray& nativePath)
{
    m_dialogs.runCommand([this, &path, &nativePath] {
        if (mayReplaceScript())
            openScriptFile(path, nativePath);
    });
}

void FileSession::openScriptFile(const QString& path, const QByteArray& nativePath)
{
    // Taken before the file is read, so the next dialog starts there even if it fails.
    Get_File_Directory(path, m_settings.DefaultFile);
    const QByteArray native = nativePath.isEmpty() ? QFile::encodeName(path) : nativePath;
    const ReadResult read = Read_Script_File(m_document, native);
    // Read or not, the script is another one now.
    m_history.clear();
    if (!read.error.isEmpty()) {
        if (read.resetEntryPanels)
            Q_EMIT entryPanelsReset();
        // The script is new now; a Save must not write it over the file that failed.
        setCurrentFile({});
        // A format error names its line; a file refused or unreadable is named itself.
        if (read.fault.line > 0)
            m_dialogs.critical(u"%1\r\n\"%2\""_s.arg(read.error, QDir::toNativeSeparators(path)),
                               faultDetail(read.fault));
        else
            m_dialogs.critical(
                u"Cannot open \"%1\".\r\n%2."_s.arg(QDir::toNativeSeparators(path), read.error));
        return;
    }
    if (m_dialogs.showError(Number_All_Steps(m_document.store())))
        return;
    // The flow selector stays where it was: the flow shown before is shown from the file.
    m_document.showFromStart(m_shownFlow());
    // A name that is no text would be saved under another one: the script gets no file, and
    // Save asks where.
    setCurrentFile(QFile::encodeName(path) == native ? path : QString());
    m_fileContent = read.content;
}

bool FileSession::openRecentFile(const QString& path)
{
    // Nothing to ask about a file that cannot be opened.
    if (!QFileInfo::exists(path)) {
        m_dialogs.critical(u"The script file no longer exists."_s, QDir::toNativeSeparators(path));
        return false;
    }
    openFile(path);
    return true;
}

void FileSession::mnuSave_Click()
{
    m_dialogs.runCommand([this] { saveScript(CurrentFilePath); });
}

void FileSession::mnuSaveAs_Click()
{
    m_dialogs.runCommand([this] { saveScript({}); });
}

void FileSession::saveScript(QString path)
{
    // A save without a dialog must not overwrite unseen what someone else saved meanwhile; in
    // the dialog the user chose the file knowingly.
    const bool askedForPath = path.isEmpty();
    // The dialog comes before the harvest: a cancel leaves the view as it stands.
    if (askedForPath) {
        const std::optional<QString> chosen = chooseSavePath(saveRequest(m_settings.DefaultFile));
        if (!chosen)
            return;
        path = *chosen;
        Get_File_Directory(path, m_settings.DefaultFile);
    }
    if (m_dialogs.showError(m_document.Harvest_Flow(m_shownFlow())))
        return;
    if (!askedForPath && changedOnDisk(path, m_fileContent) &&
        m_dialogs.question(changedOnDiskQuestion(path)) != Answer::Yes)
        return;
    const WriteResult saved = Write_Script_File(m_document.store(), path, &m_fileContent);
    if (m_dialogs.showError(saved.error))
        return;
    // Saved, but what of the file could not be kept is told without holding up the work.
    m_dialogs.showNotice(saved.notice);
    m_dialogs.showError(m_document.Copy_Store_To_Saved());
    setCurrentFile(path);
}

FileSession::SaveOutcome FileSession::Ask_Save_Changes()
{
    if (!m_document.Is_Script_Changed())
        return SaveOutcome::Proceed;
    // Cancel, Escape or the box's close button: the user has not decided to lose anything.
    const Answer answer = m_dialogs.questionWithCancel(QString(ChangedQuestion));
    if (answer == Answer::Cancel)
        return SaveOutcome::Cancelled;
    if (answer == Answer::No)
        return SaveOutcome::Proceed;
    const std::optional<QString> path = chooseSavePath(questionSaveRequest(CurrentFilePath));
    if (!path)
        return SaveOutcome::Cancelled;
    // The file is written and nothing else: the script is about to be replaced, or the
    // program to end, so it does not become the current file. Written over the current file,
    // it is what the next Save compares with, should the script stay after all.
    QByteArray* written = *path == CurrentFilePath ? &m_fileContent : nullptr;
    const WriteResult saved = Write_Script_File(m_document.store(), *path, written);
    if (m_dialogs.showError(saved.error))
        return SaveOutcome::WriteFailed;
    m_dialogs.showNotice(saved.notice);
    return SaveOutcome::Proceed;
}

std::optional<QString> FileSession::chooseSavePath(const FileRequest& request)
{
    const std::optional<QString> path = m_dialogs.saveFileName(request);
    if (!path)
        return std::nullopt;
    return withDefaultSuffix(*path, request.defaultSuffix);
}

void FileSession::restoreScript(const RecoveryContent& content)
{
    // Both copies as they were, so the script counts as changed and the close asks.
    m_document.store() = content.working;
    m_document.saved() = content.saved;
    m_history.clear();
    m_document.showFromStart(m_shownFlow());
    // What a Save compares with: the file as it stands now, which the work was taken from.
    m_fileContent = content.filePath.isEmpty()
                        ? QByteArray()
                        : readScriptFileBytes(QFile::encodeName(content.filePath)).bytes;
    setCurrentFile(content.filePath);
}

void FileSession::setCurrentFile(const QString& path)
{
    CurrentFilePath = path;
    Q_EMIT currentFileChanged(path);
}

} // namespace sw
