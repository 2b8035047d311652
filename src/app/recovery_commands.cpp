#include "app/main_window.h"
#include "app/termination_signals.h"
#include "files/recovery_copy.h"

#include <QApplication>
#include <QDir>
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
    const FlowView* view = &m_document.view();
    connect(view, &FlowView::rowsInserted, this, &MainWindow::scheduleRecoveryCopy);
    connect(view, &FlowView::rowsRemoved, this, &MainWindow::scheduleRecoveryCopy);
    connect(view, &FlowView::dataChanged, this, &MainWindow::scheduleRecoveryCopy);
    connect(view, &FlowView::modelReset, this, &MainWindow::scheduleRecoveryCopy);
    // Once the window is up: the question stands over it, and a modal loop run before the
    // window is shown would leave the window manager a window it never saw sized.
    QTimer::singleShot(0, this, &MainWindow::offerLeftCopies);
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
    // A copy that cannot be written leaves the former one; the work itself is still here.
    m_recovery->write(
        {m_document.store(), m_document.saved(), CurrentFilePath, QDateTime::currentDateTimeUtc()});
}

void MainWindow::offerLeftCopies()
{
    for (const std::unique_ptr<RecoveryCopy>& left : RecoveryCopy::claimLeft(recoveryFolder())) {
        // One that cannot be read is left alone: it may still be worth something to someone.
        const std::optional<RecoveryContent> content = left->read();
        if (!content)
            continue;
        const Answer answer = m_dialogs->questionWithCancel(restoreQuestion(*content));
        if (answer == Answer::Cancel)
            continue;
        if (answer == Answer::Yes)
            restoreScript(*content);
        // Restored, the work is in this editor's own copy now.
        left->remove();
        // The window holds one script: copies still left wait for the next start.
        if (answer == Answer::Yes)
            return;
    }
}

void MainWindow::restoreScript(const RecoveryContent& content)
{
    // Both copies as they were, so the script counts as changed and the close asks.
    m_document.store() = content.working;
    m_document.saved() = content.saved;
    m_document.showFromStart(shownFlowMode());
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
