#include "files/script_file.h"

#include "files/code_page.h"
#include "files/line_checks.h"
#include "files/regular_file.h"
#include "steps/choices.h"
#include "steps/step_line.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// The state of the reader between lines.
class ScriptReader
{
public:
    // Without keepLines only the verdict is made: the lines are not copied.
    explicit ScriptReader(bool keepLines) : m_keepLines(keepLines) {}

    // Handed over, not copied: a full script is over five hundred strings.
    ScriptParse takeResult() { return std::move(m_result); }

    // Handles the next line. False at a fault.
    bool takeLine(QStringView line)
    {
        ++m_lineNumber;
        const bool separator = line == SeparatorLine;
        const bool end = !separator && isEndLine(line);
        m_lastClosesFlow = separator || end;
        if (m_flow >= FlowCount)
            return fault(u"nothing may follow the second separator"_s, line);
        if (separator) {
            if (m_count == 0)
                return fault(u"a separator where the flow should begin with (Start)"_s, line);
            if (!m_ended)
                return fault(u"the separator comes before the flow's (End)"_s, line);
            m_ended = false;
            ++m_flow;
            m_count = 0;
            m_steps = 0;
            return true;
        }
        if (m_ended)
            return fault(u"only the separator \"-\" may follow (End)"_s, line);
        if (m_count == MaxFlowLines)
            return fault(u"the flow holds more than %1 lines, counting (Start), (End) and comment "
                         "lines: at most %2 steps"_s.arg(MaxFlowLines)
                             .arg(MaxFlowLines - 2),
                         line);
        if (m_count == 0 && !isStartLine(line))
            return fault(u"the flow does not begin with (Start)"_s, line);
        if (!Check_Script_Line(line))
            return fault(lineFault(line), line);
        m_ended = end;
        m_steps += isNumberedLine(line);
        if (m_keepLines)
            m_result.script.flows[m_flow][m_count] = line.toString();
        ++m_count;
        return true;
    }

    // Checks how the text ended.
    void finish()
    {
        ++m_lineNumber;
        if (m_lineNumber == 1)
            fault(u"the file is empty"_s);
        else if (!m_lastClosesFlow)
            fault(u"the file ends inside a flow"_s);
        else if (m_flow == 0)
            fault(u"the file ends before the first separator"_s);
        else if (m_flow == 1 && m_count == 0)
            fault(u"the file ends before the Error mode flow"_s);
    }

private:
    bool fault(const QString& reason, std::optional<QStringView> line = std::nullopt)
    {
        FormatFault& fault = m_result.fault;
        fault.line = m_lineNumber;
        fault.reason = reason;
        if (line) {
            fault.text = line->toString();
            fault.flow = m_flow < FlowCount ? m_flow : -1;
            fault.step = fault.flow >= 0 && isNumberedLine(*line) ? m_steps + 1 : 0;
        }
        return false;
    }

    ScriptParse m_result;
    bool m_keepLines;
    int m_lineNumber = 0;
    int m_flow = 0;
    int m_count = 0;               // lines accepted into the flow being read
    int m_steps = 0;               // of them, step lines
    bool m_ended = false;          // the flow being read has its (End)
    bool m_lastClosesFlow = false; // the last line read is "(End)" or the separator
};

// The line at slot of a flow as the list shows it: a step by its number, any other line by
// its place in the flow.
QString shownLine(std::span<const QString> flow, int slot)
{
    if (!isNumberedLine(flow[slot]))
        return u"Line %1"_s.arg(slot + 1);
    const auto steps = std::count_if(flow.begin(), flow.begin() + slot,
                                     [](const QString& line) { return isNumberedLine(line); });
    return u"Step %1"_s.arg(steps + 1);
}

ErrorText unencodable(int flow, std::span<const QString> lines, int slot, qsizetype position)
{
    const QStringView line = lines[slot];
    // A character outside the 16-bit range arrives as a surrogate pair; name all of it.
    qsizetype length = 1;
    char32_t code = line[position].unicode();
    if (line[position].isHighSurrogate() && position + 1 < line.size() &&
        line[position + 1].isLowSurrogate()) {
        code = QChar::surrogateToUcs4(line[position], line[position + 1]);
        length = 2;
    }
    return u"%1 of the %2 flow holds the character \"%3\" (U+%4), which a script file "
           "cannot hold. Replace it, then save again."_s.arg(
               shownLine(lines, slot), choices::flowModes().at(flow),
               line.sliced(position, length).toString(),
               QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

// A line refused because the file is not in Windows-1252 says so: an editor that saves UTF-8
// puts a byte-order mark before "(Start)", and turns any other character into several bytes.
void explainEncoding(FormatFault& fault, QByteArrayView line)
{
    if (fault.line == 1 && line.startsWith("\xEF\xBB\xBF")) {
        fault.reason = u"the file begins with a UTF-8 byte-order mark: save it as Windows-1252"_s;
        return;
    }
    const bool other = std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; });
    if (other && QString::fromUtf8(line).toUtf8() == line)
        fault.reason += u"; the line holds UTF-8 text: save the file as Windows-1252"_s;
}

// A line as a message quotes it: long ones cut in the middle, control characters (a lone CR
// among them) shown as U+FFFD so the message keeps its own lines.
QString shortened(const QString& line)
{
    constexpr qsizetype Shown = 80;
    QString quoted =
        line.size() <= Shown ? line : line.first(Shown / 2 - 1) + u'\u2026' + line.last(Shown / 2);
    for (QChar& c : quoted) {
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    }
    return quoted;
}

// Reads the lines of bytes, decoded whole into text, which holds one character per byte: the
// line ends are found in the bytes, where the search is quickest.
ScriptParse readScriptText(QByteArrayView bytes, bool keepLines, QString& text)
{
    codepage::decodeInto(bytes, text);
    const QStringView all(text);
    ScriptReader reader(keepLines);
    for (qsizetype start = 0; start < all.size();) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(bytes.data() + start, '\n', all.size() - start));
        const qsizetype next = lineFeed ? lineFeed - bytes.data() + 1 : all.size();
        QStringView line = all.sliced(start, next - start);
        if (line.endsWith(u'\n'))
            line.chop(line.size() >= 2 && line[line.size() - 2] == u'\r' ? 2 : 1);
        if (!reader.takeLine(line)) {
            ScriptParse result = reader.takeResult();
            explainEncoding(result.fault, bytes.sliced(start, line.size()));
            return result;
        }
        start = next;
    }
    reader.finish();
    return reader.takeResult();
}

// Reads the file into bytes and its lines through text, keeping them in parse when given. The
// result holds the file's error or the format error, as Read_Script_File reports them.
ReadResult readScriptFile(const QByteArray& nativePath, QByteArray& bytes, QString& text,
                          ScriptParse* parse)
{
    ReadResult result;
    result.error = readScriptFileInto(nativePath, bytes);
    if (!result.error.isEmpty())
        return result;
    ScriptParse read = readScriptText(bytes, parse != nullptr, text);
    if (!read.loaded()) {
        result.error = FormatErrorMessage;
        result.fault = read.fault;
    }
    if (parse)
        *parse = std::move(read);
    return result;
}

} // namespace

ScriptParse parseScript(QByteArrayView bytes)
{
    QString text;
    return readScriptText(bytes, true, text);
}

ScriptParse checkScriptFlows(std::span<const QString> normal, std::span<const QString> error)
{
    ScriptReader reader(false);
    for (const std::span<const QString> flow : {normal, error}) {
        for (const QString& line : flow) {
            if (line.isEmpty())
                break;
            if (!reader.takeLine(line))
                return reader.takeResult();
        }
        // Each flow ends at its separator line, as the writer writes it.
        if (!reader.takeLine(u"-"))
            return reader.takeResult();
    }
    reader.finish();
    return reader.takeResult();
}

ScriptBytes serialiseScript(const ScriptStore& store)
{
    ScriptBytes out;
    for (int f = 0; f < FlowCount; ++f) {
        for (int slot = 0; slot <= LastLineSlot; ++slot) {
            const QString& line = store.flows[f][slot];
            if (line.isEmpty())
                break;
            if (const qsizetype bad = codepage::appendEncoded(line, out.bytes); bad >= 0)
                return {{}, unencodable(f, store.flows[f], slot, bad)};
            out.bytes.append("\r\n");
        }
        out.bytes.append("-\r\n");
    }
    return out;
}

WriteResult Write_Script_File(const ScriptStore& store, const QString& path, QByteArray* written)
{
    const ScriptBytes out = serialiseScript(store);
    if (!out.error.isEmpty())
        return {out.error, {}};
    WriteResult result = writeFileKeepingIt(path, out.bytes);
    if (result.error.isEmpty() && written)
        *written = out.bytes;
    return result;
}

FileContent readScriptFileBytes(const QByteArray& nativePath, Links links)
{
    FileContent content;
    content.error = readScriptFileInto(nativePath, content.bytes, links);
    if (!content.error.isEmpty())
        content.bytes.clear();
    return content;
}

ErrorText readScriptFileInto(const QByteArray& nativePath, QByteArray& bytes, Links links)
{
    // Past the limit by the size seen at the open, or by what was read: a file may grow.
    return readRegularFile(
        nativePath, MaxScriptFileSize,
        u"Larger than %1 MiB, too large for a script file"_s.arg(MaxScriptFileSize / (1024 * 1024)),
        bytes, links);
}

QString faultPlace(const FormatFault& fault)
{
    if (fault.flow < 0)
        return {};
    const QString flow = choices::flowModes().at(fault.flow) + u" flow"_s;
    return fault.step > 0 ? u"%1, step %2"_s.arg(flow).arg(fault.step) : flow;
}

QString faultDetail(const FormatFault& fault)
{
    if (fault.line == 0)
        return {};
    const QString place = faultPlace(fault);
    QString detail = u"Line %1%2: %3"_s.arg(fault.line)
                         .arg(place.isEmpty() ? QString() : u" (%1)"_s.arg(place), fault.reason);
    if (!fault.text.isNull())
        detail += u"\r\n\"%1\""_s.arg(shortened(fault.text));
    return detail;
}

ReadResult Read_Script_File(ScriptDocument& document, const QString& path)
{
    return Read_Script_File(document, QFile::encodeName(path));
}

ReadResult Read_Script_File(ScriptDocument& document, const QByteArray& nativePath)
{
    QByteArray bytes;
    QString text;
    ScriptParse parse;
    ReadResult result = readScriptFile(nativePath, bytes, text, &parse);
    if (!result.error.isEmpty()) {
        document.New_Script();
        result.resetEntryPanels = true;
        return result;
    }
    // A flow holds at most 258 lines, so the saved copy's slots take all of it.
    for (int f = 0; f < FlowCount; ++f)
        std::copy_n(parse.script.flows[f].begin(), SavedSlots, document.saved().flows[f].begin());
    result.content = bytes;
    document.store() = std::move(parse.script);
    return result;
}

ReadResult ScriptFileChecker::check(const QByteArray& nativePath)
{
    return readScriptFile(nativePath, m_bytes, m_text, nullptr);
}

} // namespace sw
