#include "app/user_dialogs.h"

#include "app/version_dialog.h"

#include <QFileDialog>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileRequest& request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(request.options.testFlag(FileOption::FileMustExist)
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    // The pattern goes into the last brackets, where the dialog reads it; the user sees the
    // description alone.
    dialog.setNameFilter(request.filterDescription + u" ("_s + request.pattern.trimmed() + u')');
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     !request.options.testFlag(FileOption::ConfirmOverwrite));
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

void WidgetDialogs::critical(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QString(DialogCaption), text, QMessageBox::Ok, m_parent);
    box.exec();
}

Answer WidgetDialogs::question(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QString(DialogCaption), text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
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

} // namespace sw
