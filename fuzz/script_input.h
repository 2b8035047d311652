#pragma once

#include "files/code_page.h"
#include "files/line_checks.h"
#include "files/script_file.h"
#include "steps/panel_fill.h"

#include <QByteArrayView>
#include <QString>

// What the fuzzer does with one input, shared with the test that replays the inputs it once
// failed on. Returns what went wrong, empty when nothing did; a crash or a hang is the other
// way it can fail.
inline QString exerciseScriptInput(QByteArrayView bytes)
{
    using namespace Qt::StringLiterals;

    const sw::ScriptParse parse = sw::parseScript(bytes);

    // Every line alone through the line check and the panel fill, wherever the reader stopped:
    // a line loads back exactly when the check takes it.
    for (const QByteArray& line : bytes.toByteArray().split('\n')) {
        const QString text = sw::codepage::decode(line);
        if (sw::Fill_Step_Panel(text).ok != sw::Check_Script_Line(text))
            return u"a line loads back unlike its check: "_s + text;
    }

    if (!parse.loaded())
        return parse.fault.line < 1 ? u"a fault without its line"_s : QString();
    // A script that loads saves, and what it saves loads again into the same bytes.
    const sw::ScriptBytes saved = sw::serialiseScript(parse.script);
    if (!saved.error.isEmpty())
        return u"a script that loads does not save: "_s + saved.error;
    const sw::ScriptParse again = sw::parseScript(saved.bytes);
    if (!again.loaded())
        return u"what was saved does not load: line %1, %2"_s.arg(again.fault.line)
            .arg(again.fault.reason);
    if (again.script.flows != parse.script.flows ||
        sw::serialiseScript(again.script).bytes != saved.bytes)
        return u"what was saved loads into another script"_s;
    return {};
}
