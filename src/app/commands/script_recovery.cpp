#include "app/commands/script_recovery.h"

#include "app/commands/file_session.h"
#include "files/recovery_copy.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

namespace sw {

using namespace Qt::StringLiterals;

namespace {

// Long enough that a run of edits costs one write, short enough that little is ever lost.
constexpr auto RecoveryDelay = std::chrono::seconds(1);

QString restoreQuestion(const RecoveryContent& content)
{
    const QString script =
        content.filePath.isEmpty() ? u"a new script"_s : QDir::toNativeSeparators(content.filePath);
    const QString time =
        QLocale::system().toString(content.time.toLocalTime(), QLocale::ShortFormat);
    return u"Stepwright ended without saving the changes to %1.\r\n"
           u"They were kept as they stood at %2.\r\n"
           u"Restore them? No discards them, Cancel keeps them for later."_s.arg(script, time);
}

} // namespace

ScriptRecovery::ScriptRecovery(ScriptDocument& document, FileSession& files, UserDialogs& dialogs,
                               QObject* parent)
    : QObject(parent), m_document(document), m_files(files), m_dialogs(dialogs),
      m_copy(RecoveryCopy::create(recoveryFolder()))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(RecoveryDelay);
    connect(&m_timer, &QTimer::timeout, this, &ScriptRecovery::keepCopy);
    // Every edit, whichever command or undo made it, changes the flow view's items.
    connect(&m_document.view(), &FlowView::itemsChanged, this, &ScriptRecovery::schedule);
    // Every command that names the file has just replaced or saved the script.
    connect(&m_files, &FileSession::currentFileChanged, this, &ScriptRecovery::keepCopy);
}

ScriptRecovery::~ScriptRecovery() = default;

void ScriptRecovery::schedule()
{
    // Not restarted by later edits: a steady stream of them still gets its copy.
    if (!m_timer.isActive())
        m_timer.start();
}

void ScriptRecovery::keepCopy()
{
    m_timer.stop();
    if (m_ended || !m_document.Harvest_Flow(m_document.shownFlow()).isEmpty())
        return;
    if (!m_document.Is_Script_Changed()) {
        m_copy->remove();
        return;
    }
    // A copy that cannot be written leaves the former one; the work itself is still here. The
    // technician hears of it once, without a box to answer, and each later change tries again.
    const ErrorText error =
        m_copy->write({m_document.store(), m_document.saved(), m_files.currentFilePath(),
                       QDateTime::currentDateTimeUtc()});
    if (!error.isEmpty() && !m_failureTold)
        m_dialogs.notice(u"Your unsaved changes cannot be kept in the recovery copy \"%1\": %2.\r\n"
                         u"Should Stepwright end unexpectedly, they would be lost; save the "
                         u"script to keep them. The copy is tried again at each change."_s.arg(
                             QDir::toNativeSeparators(m_copy->path()), error));
    m_failureTold = !error.isEmpty();
}

void ScriptRecovery::remove()
{
    m_copy->remove();
}

void ScriptRecovery::offerLeftCopies()
{
    for (std::unique_ptr<RecoveryCopy>& left : RecoveryCopy::claimLeft(recoveryFolder())) {
        const RecoveryRead read = left->read();
        if (!read.content) {
            // Kept, out of the way of later starts: it may still be worth something to someone.
            const auto [aside, asideError] = left->setAside();
            const QString kept =
                asideError.isEmpty()
                    ? u"It was kept as \"%1\"."_s.arg(QDir::toNativeSeparators(aside))
                    : u"It could not be set aside: %1."_s.arg(asideError);
            const QString why = read.error.endsWith(u'.') ? read.error : read.error + u'.';
            m_dialogs.critical(u"The recovery copy \"%1\" cannot be restored.\r\n%2\r\n%3"_s.arg(
                                   QDir::toNativeSeparators(left->path()), why, kept),
                               read.detail);
            continue;
        }
        const Answer answer = m_dialogs.questionWithCancel(restoreQuestion(*read.content));
        if (answer == Answer::Cancel)
            continue;
        if (answer == Answer::No) {
            left->remove();
            continue;
        }
        // The left copy goes only once this editor's own copy holds its work.
        m_copy->replaces(std::move(left));
        m_files.restoreScript(*read.content);
        // The window holds one script: copies still left wait for the next start.
        return;
    }
}

void ScriptRecovery::endWithoutAsking()
{
    keepCopy();
    m_ended = true;
    // Any question still open returns undecided, and the program ends.
    QCoreApplication::exit(0);
}

} // namespace sw
