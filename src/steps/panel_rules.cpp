#include "steps/panel_rules.h"

#include "steps/key_filters.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// A line break or other control character pasted into a field would split or garble the
// file's line; a blank keeps the words apart.
QString blankControls(QString text)
{
    for (QChar& c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = u' ';
    }
    return text;
}

bool isDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Pasted text is read as a number, as when the focus leaves the field; typed digits, leading
// zeros included, stay as they are.
QString cleanTime(const QString& time)
{
    const QString kept = time.left(MaxTimeDigits);
    return isDigits(kept) ? kept : Normalise_Number_Field(kept);
}

// A name ends at its first blank when the script is read, and "//" starts the comment part.
bool isUnsafeName(const QString& name)
{
    return name.contains(u' ') || name.contains("//"_L1);
}

// The kind's own adjustments and checks; a non-empty result stops the command.
QString adjustFields(StepKind kind, PanelEntry& fields)
{
    // A ":" stays: only the tag that ends a line is its number (trailingTag).
    fields.comment = blankControls(fields.comment);
    switch (kind) {
    case StepKind::Input:
        fields.value = fields.value.isEmpty() ? u"0"_s : cleanTime(fields.value);
        return {};
    case StepKind::Wait:
        fields.value = cleanTime(fields.value);
        return {};
    case StepKind::SelectModule:
        fields.value = blankControls(fields.value);
        if (!hasModuleSuffix(fields.value))
            fields.value += ModuleSuffix;
        if (fields.value.size() > MaxModuleNameLength)
            return QString(ModuleNameTooLong);
        if (isUnsafeName(fields.value))
            return QString(ModuleNameUnsafe);
        return {};
    case StepKind::LoadFile:
        fields.value = blankControls(fields.value);
        if (fields.value.size() > MaxFileNameLength)
            return QString(FileNameTooLong);
        if (isUnsafeName(fields.value))
            return QString(FileNameUnsafe);
        return {};
    default:
        return {};
    }
}

QString body(StepKind kind, const PanelEntry& fields)
{
    switch (kind) {
    case StepKind::Input:
        return inputBody(fields.choice, fields.level, fields.value);
    case StepKind::Output:
        return outputBody(fields.choice, fields.level);
    case StepKind::Wait:
        return waitBody(fields.value);
    case StepKind::SelectModule:
        return selectModuleBody(fields.value);
    case StepKind::LoadFile:
        return loadFileBody(fields.value);
    case StepKind::BufferClear:
        return QString(BufferClearBody);
    default: // the device function or the probe is the body itself
        return fields.choice;
    }
}

} // namespace

QString& PanelEntry::operator[](PanelField field)
{
    switch (field) {
    case PanelField::Choice:
        return choice;
    case PanelField::Level:
        return level;
    case PanelField::Value:
        return value;
    default:
        return comment;
    }
}

const QString& PanelEntry::operator[](PanelField field) const
{
    return const_cast<PanelEntry&>(*this)[field];
}

SetResult Set_Step(StepKind kind, const PanelEntry& entry, bool flowFull)
{
    SetResult result{{}, {}, {}, entry};
    const bool needsValue =
        kind == StepKind::Wait || kind == StepKind::SelectModule || kind == StepKind::LoadFile;
    // An empty time or name is no failure: the command does nothing, and says so at the field.
    if (needsValue && entry.value.isEmpty()) {
        result.note = kind == StepKind::Wait           ? QString(WaitTimeNeeded)
                      : kind == StepKind::SelectModule ? QString(ModuleNameNeeded)
                                                       : QString(FileNameNeeded);
        return result;
    }
    if (flowFull) {
        result.message = QString(FlowFullMessage);
        return result;
    }
    result.message = adjustFields(kind, result.entry);
    if (result.message.isEmpty())
        result.line = composeStepLine(body(kind, result.entry), result.entry.comment);
    return result;
}

} // namespace sw
