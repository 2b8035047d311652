#include "app/commands/step_clipboard.h"

#include "files/step_text.h"
#include "script/flow_editing.h"
#include "script/numbering.h"
#include "steps/step_line.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace sw {

StepClipboard::StepClipboard(ScriptDocument& document, EditHistory& history, UserDialogs& dialogs)
    : m_document(document), m_history(history), m_dialogs(dialogs)
{}

void StepClipboard::copy()
{
    const QStringList lines = selectedSteps(m_document.view());
    if (!lines.isEmpty())
        QGuiApplication::clipboard()->setText(stepText(lines));
}

void StepClipboard::cut()
{
    if (!selectsSteps(m_document.view()))
        return;
    copy();
    m_history.record(u"Cut steps"_s,
                     [this] { m_dialogs.showError(Delete_Selected_Step(m_document.view())); });
}

void StepClipboard::paste()
{
    const PastedSteps pasted = readStepText(QGuiApplication::clipboard()->text());
    if (!m_dialogs.showError(pasted.error))
        insert(u"Paste steps"_s, pasted.lines);
}

void StepClipboard::duplicate()
{
    QStringList lines = selectedSteps(m_document.view());
    for (QString& line : lines) {
        if (isNumberedLine(line))
            Remove_Step_Number(line);
    }
    insert(u"Duplicate steps"_s, lines);
}

void StepClipboard::insert(const QString& name, const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    m_history.record(name, [&] { m_dialogs.showError(insertStepLines(m_document.view(), lines)); });
}

} // namespace sw
