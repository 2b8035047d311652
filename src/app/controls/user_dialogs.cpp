#include "app/controls/user_dialogs.h"

#include "app/controls/keys_dialog.h"
#include "app/controls/version_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// Yes is the default; Escape and the close button answer Cancel where the box has it. A box
// ended any other way, as by the program ending, decided nothing.
Answer askQuestion(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, QString(DialogCaption), text, buttons, parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> runFileDialog(QWidget* parent, const FileRequest& request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(mode);
    // The toolkit's dialogs offer no read-only check box, so HideReadOnly needs nothing.
    dialog.setFileMode(request.options.testFlag(FileOption::FileMustExist)
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    // The pattern goes into the last brackets, where the dialog reads it; the user sees the
    // description alone.
    dialog.setNameFilter(request.filterDescription + u" ("_s + request.pattern.trimmed() + u')');
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     !request.options.testFlag(FileOption::ConfirmOverwrite));
    // Set before the name, so the overwrite question names the file that will be written.
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        // The toolkit's own dialog takes a typed name in a folder that does not exist.
        const QFileInfo file(path);
        if (!request.options.testFlag(FileOption::PathMustExist) || file.absoluteDir().exists())
            return path;
        QMessageBox::warning(
            &dialog, request.title,
            u"The folder %1 does not exist."_s.arg(QDir::toNativeSeparators(file.absolutePath())));
    }
    return std::nullopt;
}

} // namespace

bool UserDialogs::showError(const QString& error)
{
    if (error.isEmpty())
        return false;
    critical(error);
    return true;
}

void UserDialogs::showNotice(const QString& notice)
{
    if (!notice.isEmpty())
        this->notice(notice);
}

void WidgetDialogs::critical(const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::Critical, QString(DialogCaption), text, QMessageBox::Ok, m_parent);
    // Shown at once rather than behind a Details button: it names the line to mend.
    box.setInformativeText(detail);
    box.exec();
}

Answer WidgetDialogs::question(const QString& text)
{
    return askQuestion(m_parent, text, QMessageBox::Yes | QMessageBox::No) == Answer::Yes
               ? Answer::Yes
               : Answer::No;
}

Answer WidgetDialogs::questionWithCancel(const QString& text)
{
    return askQuestion(m_parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void WidgetDialogs::notice(const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QString(DialogCaption), text, QMessageBox::Ok,
                                m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    // A notice given as the program ends is never seen in its box; the session's log keeps it.
    qWarning("%s", qUtf8Printable(text));
}

std::optional<QString> WidgetDialogs::openFileName(const FileRequest& request)
{
    return runFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> WidgetDialogs::saveFileName(const FileRequest& request)
{
    return runFileDialog(m_parent, request, QFileDialog::AcceptSave);
}

void WidgetDialogs::showVersion()
{
    VersionDialog dialog(m_parent);
    dialog.exec();
}

void WidgetDialogs::showKeys()
{
    if (!m_keys) {
        m_keys = new KeysDialog(m_parent);
        m_keys->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_keys->show();
    m_keys->raise();
    m_keys->activateWindow();
}

} // namespace sw
