#include "app/edit_history.h"
#include "app/main_window.h"
#include "app/termination_signals.h"
#include "files/recovery_copy.h"
#include "files/script_file.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

// The recovery copy: written shortly after each change while the script has unsaved changes,
// at once when the program is told to end, and offered back by the next start.
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

void MainWindow::startRecovery()
{
    m_recovery = RecoveryCopy::create(recoveryFolder());
    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(RecoveryDelay);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &MainWindow::keepRecoveryCopy);
    // Every edit, whichever command or undo made it, changes the flow view's items.
    connect(&m_document.view(), &FlowView::itemsChanged, this, &MainWindow::scheduleRecoveryCopy);
    // Once the window is up: the question stands over it, and a modal loop run before the
    // window is shown would leave the window manager a window it never saw sized.
    QTimer::singleShot(0, this, [this] {
        offerLeftCopies();
        openStartFile();
    });
}

void MainWindow::scheduleRecoveryCopy()
{
    // Not restarted by later edits: a steady stream of them still gets its copy.
    if (!m_recoveryTimer.isActive())
        m_recoveryTimer.start();
}

void MainWindow::keepRecoveryCopy()
{
    m_recoveryTimer.stop();
    if (m_ended || !m_document.Harvest_Flow(m_document.shownFlow()).isEmpty())
        return;
    if (!m_document.Is_Script_Changed()) {
        m_recovery->remove();
        return;
    }
    // A copy that cannot be written leaves the former one; the work itself is still here. The
    // technician hears of it once, without a box to answer, and each later change tries again.
    const ErrorText error = m_recovery->write(
        {m_document.store(), m_document.saved(), CurrentFilePath, QDateTime::currentDateTimeUtc()});
    if (!error.isEmpty() && !m_recoveryFailureTold)
        m_dialogs->notice(
            u"Your unsaved changes cannot be kept in the recovery copy \"%1\": %2.\r\n"
            u"Should Stepwright end unexpectedly, they would be lost; save the "
            u"script to keep them. The copy is tried again at each change."_s.arg(
                QDir::toNativeSeparators(m_recovery->path()), error));
    m_recoveryFailureTold = !error.isEmpty();
}

void MainWindow::offerLeftCopies()
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
            m_dialogs->critical(u"The recovery copy \"%1\" cannot be restored.\r\n%2\r\n%3"_s.arg(
                                    QDir::toNativeSeparators(left->path()), why, kept),
                                read.detail);
            continue;
        }
        const Answer answer = m_dialogs->questionWithCancel(restoreQuestion(*read.content));
        if (answer == Answer::Cancel)
            continue;
        if (answer == Answer::No) {
            left->remove();
            continue;
        }
        // The left copy goes only once this editor's own copy holds its work.
        m_recovery->replaces(std::move(left));
        restoreScript(*read.content);
        // The window holds one script: copies still left wait for the next start.
        return;
    }
}

void MainWindow::restoreScript(const RecoveryContent& content)
{
    // Both copies as they were, so the script counts as changed and the close asks.
    m_document.store() = content.working;
    m_document.saved() = content.saved;
    m_history->clear();
    m_document.showFromStart(shownFlowMode());
    // What a Save compares with: the file as it stands now, which the work was taken from.
    m_fileContent = content.filePath.isEmpty()
                        ? QByteArray()
                        : readScriptFileBytes(QFile::encodeName(content.filePath)).bytes;
    setCurrentFile(content.filePath);
}

void MainWindow::endOnTerminationSignals()
{
    connect(new TerminationSignals(this), &TerminationSignals::terminationRequested, this,
            &MainWindow::endWithoutAsking);
}

void MainWindow::endWithoutAsking()
{
    keepRecoveryCopy();
    m_ended = true;
    // Any question still open returns undecided, and the program ends.
    QCoreApplication::exit(0);
}

} // namespace sw
